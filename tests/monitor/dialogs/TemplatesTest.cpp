// The four templates as the user sees them: captions, control texts, rectangles and states.
#include "tests/support/ModalScript.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/dialogs/AudioSettingsDlg.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/dialogs/MonitorSettingsDlg.h"
#include "monitor/dialogs/TimerShotSettingsDlg.h"
#include "monitor/dialogs/VideoSettingsDlg.h"
#include "tests/monitor/dialogs/DialogTestSupport.h"

namespace {

struct Control {
    int id;
    const char* text;  // null: not checked (edits filled from members)
    RECT units;        // x, y, w, h in dialog units
};

// The control's rectangle in dialog units, from its place in the dialog's client area.
void ExpectPlacedAt(const CWnd& dlg, const Control& c) {
    HWND control = ::GetDlgItem(dlg.m_hWnd, c.id);
    ASSERT_NE(control, nullptr) << c.id;
    // The dialog manager converts the position and the size each on its own.
    RECT mapped = c.units;
    ::MapDialogRect(dlg.m_hWnd, &mapped);
    const RECT expected = {mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
    RECT actual;
    ::GetWindowRect(control, &actual);
    ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left) << c.id;
    EXPECT_EQ(actual.top, expected.top) << c.id;
    if (c.id != IDC_TS_SECONDS) {  // the up-down control takes its right end
        EXPECT_EQ(actual.right, expected.right) << c.id;
    }
    if (c.id != IDC_MS_SOUND_LIST) {  // a combo box keeps a height of its own
        EXPECT_EQ(actual.bottom, expected.bottom) << c.id;
    }
    if (c.text) {
        EXPECT_EQ(ItemText(dlg, c.id), CString(c.text)) << c.id;
    }
}

void ExpectTemplate(CDialog& dlg, const char* caption, std::initializer_list<Control> controls) {
    fw::ModalScript script;
    script.OnNextDialog([&](CDialog& shown) {
        CString text;
        shown.GetWindowText(text);
        EXPECT_EQ(text, CString(caption));
        for (const Control& c : controls) ExpectPlacedAt(shown, c);
    });
    dlg.DoModal();
}

TEST(DialogTemplates, TimerShotSettings) {
    ResetMonitorSettings();
    CTimerShotSettingsDlg dlg;
    ExpectTemplate(dlg, "Settings",
                   {{IDC_TS_SECONDS_LABEL, "Settings timer counter :", {17, 19, 79, 10}},
                    {IDC_TS_SECONDS, "5", {99, 18, 39, 12}},
                    {IDC_TS_SAME_PATH, "Save to same path", {16, 31, 78, 16}},
                    {IDC_TS_SPECIFIED_PATH, "Save to specified path", {16, 46, 90, 16}},
                    {IDC_TS_PATH, nullptr, {25, 63, 110, 12}},
                    {IDC_TS_BROWSE, "Browse", {142, 63, 28, 12}},
                    {IDC_TS_OK, "OK", {136, 88, 42, 12}}});
}

TEST(DialogTemplates, AudioSettings) {
    ResetMonitorSettings();
    CAudioSettingsDlg dlg;
    ExpectTemplate(dlg, "Audio settings",
                   {{IDC_AS_NONE, "None", {65, 20, 38, 9}},
                    {IDC_AS_AUDIO, "Audio", {65, 36, 38, 9}},
                    {IDC_AS_VIDEO, "Video", {65, 52, 38, 9}},
                    {IDC_AS_OK, "OK", {124, 73, 46, 11}}});
}

TEST(DialogTemplates, VideoSettings) {
    ResetMonitorSettings();
    CVideoSettingsDlg dlg;
    ExpectTemplate(dlg, "Video settings",
                   {{IDC_VS_COUNTER, nullptr, {119, 20, 45, 12}},
                    {IDC_VS_PATH, nullptr, {18, 55, 96, 11}},
                    {IDC_VS_BROWSE, "Browse", {119, 54, 46, 12}},
                    {IDOK, "OK", {130, 85, 50, 14}}});
}

TEST(DialogTemplates, MonitorSettingsWithItsHiddenRadios) {
    ResetMonitorSettings();
    CHostWindow host;
    CMonitorSettingsDlg dlg(&host, &host);
    ExpectTemplate(dlg, "Monitor Settings",
                   {{IDC_MS_SCAN, "Scan object while detects motion.", {13, 22, 159, 10}},
                    {IDC_MS_CAPTURE, "Capture still  while detects motion.", {13, 39, 159, 10}},
                    {IDC_MS_STILL_PATH, nullptr, {25, 53, 118, 12}},
                    {IDC_MS_BROWSE, "Browse", {148, 53, 44, 12}},
                    {IDC_MS_ALARM, "Open alarm sound while detects motion.", {13, 72, 164, 10}},
                    {IDC_MS_SOUND_LIST, "car alarm", {24, 85, 118, 55}},
                    {IDC_MS_PLAY, "Play", {148, 85, 44, 12}},
                    {IDC_MS_OK, "OK", {148, 114, 44, 12}}});

    fw::ModalScript script;
    script.OnNextDialog([](CDialog& shown) {
        for (int id : {IDC_MS_MOTION_TRACKING, IDC_MS_MOTION_DETECTION, IDC_MS_ZOOM_MODE,
                       IDC_MS_ATTENTION_BOXES, IDC_MS_DISABLE_TRACKING}) {
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(shown.m_hWnd, id))) << id;
            EXPECT_EQ(ItemEnabled(shown, id), id == IDC_MS_MOTION_TRACKING || id == IDC_MS_MOTION_DETECTION)
                << id;
        }
        // The tracking group shows its member value 2; no detection radio is set for mode 255.
        EXPECT_TRUE(ItemChecked(shown, IDC_MS_DISABLE_TRACKING));
        EXPECT_FALSE(ItemChecked(shown, IDC_MS_MOTION_TRACKING));
        EXPECT_FALSE(ItemChecked(shown, IDC_MS_MOTION_DETECTION));
    });
    CMonitorSettingsDlg again(&host, &host);
    again.DoModal();
}

}  // namespace
