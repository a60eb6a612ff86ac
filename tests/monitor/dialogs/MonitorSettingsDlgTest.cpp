#include <cstdio>

#include "tests/support/ModalScript.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/dialogs/MonitorSettingsDlg.h"
#include "tests/monitor/dialogs/DialogTestSupport.h"

namespace {

class MonitorSettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override { ResetMonitorSettings(); }
    void TearDown() override { ResetMonitorSettings(); }

    INT_PTR Run(std::function<void(CMonitorSettingsDlg&)> user) {
        script.OnNextDialog([user](CDialog& dlg) { user(static_cast<CMonitorSettingsDlg&>(dlg)); });
        CMonitorSettingsDlg dlg(&host, &host);
        return dlg.DoModal();
    }

    CHostWindow host;
    fw::ModalScript script;
};

const int kOptionalControls[] = {IDC_MS_STILL_PATH, IDC_MS_BROWSE, IDC_MS_SOUND_LIST, IDC_MS_PLAY};

TEST_F(MonitorSettingsDialog, FirstOpeningShowsNoActionAndAStillNamedByTheTime) {
    SYSTEMTIME before = {};
    ::GetLocalTime(&before);
    Run([&](CMonitorSettingsDlg& dlg) {
        for (int id : {IDC_MS_SCAN, IDC_MS_CAPTURE, IDC_MS_ALARM}) {
            EXPECT_FALSE(ItemChecked(dlg, id)) << id;
            EXPECT_TRUE(ItemEnabled(dlg, id)) << id;
        }
        for (int id : kOptionalControls) EXPECT_FALSE(ItemEnabled(dlg, id)) << id;
        // The sound list in table order, whatever the box's sorting, at "car alarm".
        const char* names[] = {"car alarm",       "police siren",       "smurf invasion", "barking dog",
                               "system overload", "system malfunction", "jail break"};
        ASSERT_EQ(dlg.m_soundList.GetCount(), 7);
        for (int i = 0; i < 7; ++i) {
            CString text;
            dlg.m_soundList.GetLBText(i, text);
            EXPECT_EQ(text, CString(names[i]));
        }
        EXPECT_EQ(dlg.m_soundList.GetCurSel(), 0);
        // The still path: program folder and MOTION[hh-mm-ss].bmp for the time of opening.
        const CString path = ItemText(dlg, IDC_MS_STILL_PATH);
        const CString prefix = ProgramFolder() + CString("\\MOTION[");
        ASSERT_EQ(path.Left(prefix.GetLength()), prefix);
        int h = -1, m = -1, s = -1;
        char tail[8] = {};
        ASSERT_EQ(std::sscanf(path.Mid(prefix.GetLength()).GetString(), "%2d-%2d-%2d%7s", &h, &m, &s, tail),
                  4);
        EXPECT_EQ(CString(tail), CString("].bmp"));
        const int opened = h * 3600 + m * 60 + s;
        const int started = before.wHour * 3600 + before.wMinute * 60 + before.wSecond;
        EXPECT_LE((opened - started + 86400) % 86400, 2);
    });
    EXPECT_EQ(motionMode, 255);
}

TEST_F(MonitorSettingsDialog, OkStoresTheSumOfTheChosenActions) {
    struct Case {
        bool scan, still, alarm;
        int mode;
    };
    for (const Case c : {Case{true, true, true, 9}, Case{false, true, true, 7}, Case{false, false, false, 0},
                         Case{true, false, false, 2}, Case{true, false, true, 5}}) {
        motionMode = 255;
        motionStillPath.Empty();
        CString shownPath;
        EXPECT_EQ(Run([&](CMonitorSettingsDlg& dlg) {
                      ClickCheck(dlg, IDC_MS_SCAN, c.scan);
                      ClickCheck(dlg, IDC_MS_CAPTURE, c.still);
                      ClickCheck(dlg, IDC_MS_ALARM, c.alarm);
                      EXPECT_EQ(ItemEnabled(dlg, IDC_MS_STILL_PATH), c.still);
                      EXPECT_EQ(ItemEnabled(dlg, IDC_MS_BROWSE), c.still);
                      EXPECT_EQ(ItemEnabled(dlg, IDC_MS_SOUND_LIST), c.alarm);
                      EXPECT_EQ(ItemEnabled(dlg, IDC_MS_PLAY), c.alarm);
                      shownPath = ItemText(dlg, IDC_MS_STILL_PATH);
                      fw::PressButton(dlg, IDC_MS_OK);
                  }),
                  IDOK);
        EXPECT_EQ(motionMode, c.mode);
        EXPECT_EQ(motionStillPath, c.still ? shownPath : CString());
    }
}

TEST_F(MonitorSettingsDialog, ReopeningWithSevenShowsAlarmAndStillAtCarAlarm) {
    motionMode = 7;
    motionStillPath = "C:\\watch\\MOTION[01-02-03].bmp";
    Run([](CMonitorSettingsDlg& dlg) {
        EXPECT_FALSE(ItemChecked(dlg, IDC_MS_SCAN));
        EXPECT_TRUE(ItemChecked(dlg, IDC_MS_CAPTURE));
        EXPECT_TRUE(ItemChecked(dlg, IDC_MS_ALARM));
        for (int id : kOptionalControls) EXPECT_TRUE(ItemEnabled(dlg, id)) << id;
        EXPECT_EQ(ItemText(dlg, IDC_MS_STILL_PATH), CString("C:\\watch\\MOTION[01-02-03].bmp"));
        EXPECT_EQ(ItemText(dlg, IDC_MS_SOUND_LIST), CString("car alarm"));
        EXPECT_EQ(dlg.m_nDetection, 1);
        // Enter is the OK button.
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    EXPECT_EQ(motionMode, 7);
}

TEST_F(MonitorSettingsDialog, AlarmCheckChoosesTheListedSoundAndOnlyPlayOrTheCheckChangeIt) {
    Run([](CMonitorSettingsDlg& dlg) {
        dlg.m_soundList.SetCurSel(3);
        ClickCheck(dlg, IDC_MS_ALARM, true);
        EXPECT_EQ(alarmSoundPath, ProgramFolder() + CString("\\Alarm\\3.wav"));
        dlg.m_soundList.SetCurSel(5);  // another sound, neither Play nor the check
        fw::PressButton(dlg, IDC_MS_OK);
    });
    EXPECT_EQ(alarmSoundPath, ProgramFolder() + CString("\\Alarm\\3.wav"));
    EXPECT_EQ(motionMode, 3);
}

TEST_F(MonitorSettingsDialog, PlayTwiceStopsAtTheSecondPress) {
    motionMode = 3;
    Run([&](CMonitorSettingsDlg& dlg) {
        dlg.m_soundList.SetCurSel(2);
        fw::PressButton(dlg, IDC_MS_PLAY);
        EXPECT_EQ(ItemText(dlg, IDC_MS_PLAY), CString("Stop"));
        EXPECT_TRUE(dlg.m_bPlaying);
        EXPECT_EQ(alarmSoundPath, ProgramFolder() + CString("\\Alarm\\2.wav"));
        ASSERT_EQ(host.opened.size(), 1u);
        EXPECT_EQ(host.opened[0], alarmSoundPath);
        EXPECT_EQ(host.plays, 1);
        // The player is a hidden child of the main window.
        ASSERT_NE(host.m_hAlarmPlayer, nullptr);
        EXPECT_EQ(::GetParent(host.m_hAlarmPlayer), host.m_hWnd);
        EXPECT_FALSE(::IsWindowVisible(host.m_hAlarmPlayer));
        const int stopsBefore = host.stops;
        fw::PressButton(dlg, IDC_MS_PLAY);
        EXPECT_EQ(ItemText(dlg, IDC_MS_PLAY), CString("Play"));
        EXPECT_FALSE(dlg.m_bPlaying);
        EXPECT_EQ(host.stops, stopsBefore + 1);
        // The timer is gone: nothing changes the text later.
        ::Sleep(50);
        fw::PumpMessages();
        EXPECT_EQ(ItemText(dlg, IDC_MS_PLAY), CString("Play"));
        // A second preview replaces the first player.
        const HWND first = host.m_hAlarmPlayer;
        fw::PressButton(dlg, IDC_MS_PLAY);
        EXPECT_NE(host.m_hAlarmPlayer, nullptr);
        EXPECT_FALSE(::IsWindow(first) && first != host.m_hAlarmPlayer);
    });
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(MonitorSettingsDialog, PreviewEndsByItselfAfterThreeAndAHalfSeconds) {
    motionMode = 3;
    Run([&](CMonitorSettingsDlg& dlg) {
        const DWORD start = ::GetTickCount();
        fw::PressButton(dlg, IDC_MS_PLAY);
        const int stopsBefore = host.stops;
        while (dlg.m_bPlaying && ::GetTickCount() - start < 6000) {
            ::Sleep(20);
            fw::PumpMessages();
        }
        const DWORD elapsed = ::GetTickCount() - start;
        EXPECT_FALSE(dlg.m_bPlaying);
        EXPECT_GE(elapsed, 3400u);
        EXPECT_EQ(ItemText(dlg, IDC_MS_PLAY), CString("Play"));
        EXPECT_EQ(host.stops, stopsBefore + 1);
    });
}

TEST_F(MonitorSettingsDialog, WithoutAnAudioDevicePlayWarnsAndStillSwitchesToStop) {
    motionMode = 3;
    host.m_bNoAudioDevice = true;
    Run([](CMonitorSettingsDlg& dlg) {
        fw::PressButton(dlg, IDC_MS_PLAY);
        EXPECT_EQ(ItemText(dlg, IDC_MS_PLAY), CString("Stop"));
    });
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text, CString("Not found valid Audio device. Disable Alarm!"));
    EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
    EXPECT_EQ(script.messageBoxes[0].type, 0x2030u);
}

TEST_F(MonitorSettingsDialog, BrowseThenCancelKeepsTheNewPathAndLeavesTheFile) {
    const CString folder = MakeTempFolder("OrvelloMotion");
    const CString chosen = folder + CString("\\door.bmp");
    WriteTextFile(chosen, "keep");
    motionMode = 4;
    script.AnswerFileDialog(chosen);
    EXPECT_EQ(Run([&](CMonitorSettingsDlg& dlg) {
                  const CString shown = ItemText(dlg, IDC_MS_STILL_PATH);
                  fw::PressButton(dlg, IDC_MS_BROWSE);
                  EXPECT_EQ(ItemText(dlg, IDC_MS_STILL_PATH), chosen);
                  ASSERT_EQ(script.fileDialogs.size(), 1u);
                  EXPECT_EQ(script.fileDialogs[0].initialName, shown);
                  EXPECT_EQ(script.fileDialogs[0].defaultExt, CString("*.bmp"));
                  EXPECT_EQ(script.fileDialogs[0].filter, CString("BMP Files (*.bmp)|*.bmp|"));
              }),
              IDCANCEL);
    EXPECT_EQ(motionStillPath, chosen);
    EXPECT_EQ(motionMode, 4);
    EXPECT_EQ(ReadTextFile(chosen), CString("keep"));
}

TEST_F(MonitorSettingsDialog, ClosingDuringAPreviewStopsTheSound) {
    motionMode = 9;
    Run([&](CMonitorSettingsDlg& dlg) {
        fw::PressButton(dlg, IDC_MS_PLAY);
        EXPECT_TRUE(dlg.m_bPlaying);
    });
    EXPECT_GE(host.stops, 1);
    EXPECT_EQ(motionMode, 9);
}

}  // namespace
