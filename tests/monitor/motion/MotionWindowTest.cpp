// Motion watching in the main window with the scripted camera and the test clock: the Monitor
// command and its settings dialog, masks per tick by mode, alarm and still boxes, the scan's views,
// the count stamp and the motion still file, and the sizes that run no motion step.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monitor/app/MonitorSettings.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/dialogs/MonitorSettingsDlg.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/MotionHooks.h"
#include "monitor/tick/MotionRules.h"
#include "tests/monitor/window/MonitorHarness.h"

using namespace monitor_test;
using yscap_double::Script;

namespace {

constexpr int kW = 320;
constexpr int kH = 240;

// A white rectangle on the grey picture, in top-down picture coordinates; width 0: none.
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};
Rect g_rect;

void PaintRect(uint8_t* frame, int width, int height, int) {
    std::memset(frame, kGrey, size_t(width) * size_t(height) * 3);
    for (int y = g_rect.y; y < g_rect.y + g_rect.height && y < height; ++y) {
        uint8_t* row = frame + size_t(height - 1 - y) * size_t(width) * 3;  // bottom-up
        for (int x = g_rect.x; x < g_rect.x + g_rect.width && x < width; ++x)
            std::memset(row + x * 3, 255, 3);
    }
}

struct View {
    int scale;
    unsigned x, y;
    bool operator==(const View& o) const { return scale == o.scale && x == o.x && y == o.y; }
};

class MotionWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        g_rect = {};
        Script().paint = PaintRect;
        Script().audioDevices = {"Test Microphone"};
        motion::Hooks().maskGenerated = [this] { ++masks; };
        motion::Hooks().viewResized = [this](uint8_t s, unsigned x, unsigned y) {
            views.push_back({s, x, y});
        };
        motion::Hooks().playAlarm = [this](const std::string& path) { alarms.push_back(path); };
    }
    void TearDown() override { motion::Hooks() = motion::MotionHooks(); }

    // The Monitor command with the settings dialog answered: the chosen check boxes, then OK (or
    // Cancel), and the still path typed when given.
    void ChooseMotion(fw::ModalScript& script, CMonitorDlg& dlg, bool scan, bool still, bool alarm,
                      const CString& stillPath = CString(), bool ok = true) {
        script.OnNextDialog(IDD_MONITOR_SETTINGS, [=](CDialog& settings) {
            auto set = [&](int id, bool on) {
                // A click flips the auto check box, then the dialog hears of it.
                settings.CheckDlgButton(id, on ? BST_CHECKED : BST_UNCHECKED);
                fw::PressButton(settings, id);
            };
            set(IDC_MS_SCAN, scan);
            set(IDC_MS_CAPTURE, still);
            set(IDC_MS_ALARM, alarm);
            if (!stillPath.IsEmpty()) settings.SetDlgItemText(IDC_MS_STILL_PATH, stillPath);
            if (ok) fw::PressButton(settings, IDC_MS_OK);
        });
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MONITOR, BN_CLICKED), 0);
    }

    int TickMasks(CMonitorDlg& dlg) {
        const int before = masks;
        Tick(dlg);
        return masks - before;
    }

    int masks = 0;
    std::vector<View> views;
    std::vector<std::string> alarms;
};

bool Visible(CMonitorDlg& dlg, int id) {
    return (::GetWindowLongPtr(::GetDlgItem(dlg.m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

TEST_F(MotionWindow, MonitorButtonShipsHiddenAndItsCommandOpensTheSettings) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        EXPECT_FALSE(Visible(dlg, IDC_MONITOR));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_MONITOR)));
        EXPECT_FALSE(Visible(dlg, IDC_MOTION_LAMP));
        ChooseMotion(script, dlg, true, false, false);
        EXPECT_EQ(motionMode, 2);
        EXPECT_EQ(dlg.m_bMotionOn, 1);
        EXPECT_EQ(dlg.m_bMotionIndicator, 1);
        EXPECT_TRUE(Visible(dlg, IDC_MOTION_LAMP));
        EXPECT_EQ(dlg.m_nStillCooldown, 35);
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        ASSERT_TRUE(dlg.m_pMask && dlg.m_pMotionOut);
        EXPECT_EQ(dlg.m_detector.Width(), kW);
        // The lamp blinks with timer 3.
        HWND lamp = ::GetDlgItem(dlg.m_hWnd, IDC_MOTION_LAMP);
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        const BOOL first = ::IsWindowEnabled(lamp);
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_NE(::IsWindowEnabled(lamp), first);

        // Cancel while watching keeps everything as it is.
        ChooseMotion(script, dlg, false, false, false, CString(), false);
        EXPECT_EQ(motionMode, 2);
        EXPECT_EQ(dlg.m_bMotionOn, 1);
        EXPECT_TRUE(Visible(dlg, IDC_MOTION_LAMP));

        // OK with nothing chosen stops watching and frees the buffers.
        ChooseMotion(script, dlg, false, false, false);
        EXPECT_EQ(motionMode, 0);
        EXPECT_EQ(dlg.m_bMotionOn, 0);
        EXPECT_EQ(dlg.m_bMotionIndicator, 0);
        EXPECT_FALSE(Visible(dlg, IDC_MOTION_LAMP));
        EXPECT_FALSE(dlg.m_pMask);
        EXPECT_FALSE(dlg.m_pMotionOut);
        EXPECT_EQ(dlg.m_nSensitivity, 30);
        Tick(dlg);
        EXPECT_EQ(masks, 0);
    });
    ASSERT_EQ(script.dialogs.size(), 5u);  // splash, main, three settings runs
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(MotionWindow, AlarmWithoutAudioDeviceIsRefusedButTheOtherActionsStart) {
    Script().audioDevices.clear();
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_EQ(dlg.m_bNoAudioDevice, 1);
        ChooseMotion(script, dlg, false, false, true);
        EXPECT_EQ(motionMode, 3);
        EXPECT_EQ(dlg.m_bMotionOn, 0);
        EXPECT_FALSE(Visible(dlg, IDC_MOTION_LAMP));
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString("Not found valid Audio device. Disable Alarm!"));
        EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
        EXPECT_EQ(script.messageBoxes[0].type, UINT(MB_ICONEXCLAMATION | MB_TASKMODAL));

        ChooseMotion(script, dlg, false, true, true);  // 7: the still part runs
        EXPECT_EQ(motionMode, 7);
        EXPECT_EQ(dlg.m_bMotionOn, 1);
        EXPECT_EQ(script.messageBoxes.size(), 2u);
    });
}

TEST_F(MotionWindow, AllThreeGenerateOneMaskPerTick) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, true, true, true);
        ASSERT_EQ(motionMode, 9);
        for (int i = 0; i < 40; ++i) {
            g_rect = i >= 3 && i < 6 ? Rect{8 + 4 * i, 40, 40, 40} : Rect{};
            EXPECT_EQ(TickMasks(dlg), 1) << "tick " << i;
        }
        EXPECT_EQ(dlg.m_nStillCount, 1);  // the still test used the same mask
        EXPECT_FALSE(alarms.empty());
    });
}

TEST_F(MotionWindow, ScanAndStillGenerateTheMaskOnlyWhenTheCooldownHasRunOut) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, true, true, false);
        ASSERT_EQ(motionMode, 6);
        EXPECT_EQ(TickMasks(dlg), 1);  // the cooldown starts full: the first frame is the background
        g_rect = {64, 64, 40, 40};
        EXPECT_EQ(TickMasks(dlg), 1);  // motion: a still, and the cooldown starts again
        EXPECT_EQ(dlg.m_nStillCount, 1);
        g_rect = {};
        for (int i = 0; i < 35; ++i) EXPECT_EQ(TickMasks(dlg), 0) << "tick " << i;
        // Still again from here on: a mask at every tick while nothing moves.
        EXPECT_EQ(TickMasks(dlg), 1);
        EXPECT_EQ(TickMasks(dlg), 1);
        EXPECT_EQ(dlg.m_nStillCount, 1);
        EXPECT_TRUE(alarms.empty());
    });
}

// A rectangle of `width` x 8 appears on the grey picture; the alarm and the still are counted.
void AppearingBox(CMonitorDlg& dlg, int width) {
    g_rect = {};
    Tick(dlg);  // the background
    g_rect = {64, 64, width, 8};
    Tick(dlg);
    ASSERT_GE(dlg.m_detector.m_nLastBox, 0);
    const MOVBOX& box = dlg.m_detector.m_pBoxes[0];
    EXPECT_EQ(box.top, 64);
    EXPECT_EQ(box.bottom, 72);
    EXPECT_EQ(box.left, 64);
    EXPECT_EQ(box.right, 64 + width);
}

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "orvello-motion";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*.bmp").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (::FindNextFileA(find, &found));
        ::FindClose(find);
    }
    return folder;
}

std::vector<std::string> Files(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA((folder + "\\*.bmp").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return names;
}

TEST_F(MotionWindow, AlarmAndStillBoxOfExtent16SoundsTheAlarmButTakesNoStill) {
    const std::string folder = TempFolder();
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, false, true, true, CString((folder + "\\pick.bmp").c_str()));
        ASSERT_EQ(motionMode, 7);
        alarmSoundPath = "C:\\sounds\\3.wav";
        AppearingBox(dlg, 16);
        ASSERT_EQ(alarms.size(), 1u);
        EXPECT_EQ(alarms[0], "C:\\sounds\\3.wav");
        EXPECT_EQ(dlg.m_nStillCount, 0);
        EXPECT_EQ(dlg.m_bMotionStill, 0);
    });
    EXPECT_TRUE(Files(folder).empty());
}

TEST_F(MotionWindow, AlarmAndStillBoxOfExtent21DoesBothAndStampsTheCount) {
    const std::string folder = TempFolder();
    fw::ModalScript script;
    std::vector<uint8_t> shown;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, false, true, true, CString((folder + "\\pick.bmp").c_str()));
        ASSERT_EQ(motionMode, 7);
        EXPECT_EQ(motionStillPath, CString((folder + "\\pick.bmp").c_str()));
        AppearingBox(dlg, 21);
        EXPECT_EQ(alarms.size(), 1u);
        EXPECT_EQ(dlg.m_nStillCount, 1);
        EXPECT_EQ(dlg.m_bMotionStill, 0);  // written at this tick
        EXPECT_EQ(dlg.m_nStillCooldown, 0);

        // What the tick showed: the picture with the target icon and the count "1".
        std::vector<uint8_t> expected(size_t(kW) * kH * 3);
        PaintRect(expected.data(), kW, kH, 0);
        motion::StampTargetIcon(expected.data(), kW, kH, dlg.m_pTargetIcon.get());
        OutIamgeVideo(expected.data(), "1", 59, kH - 77, kW, kH);
        shown.assign(dlg.m_capture.m_pFrame, dlg.m_capture.m_pFrame + expected.size());
        EXPECT_TRUE(shown == expected);
        ASSERT_TRUE(dlg.m_pTargetIcon);
    });
    const std::vector<std::string> files = Files(folder);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].rfind("MOTION[", 0), 0u) << files[0];
    EXPECT_EQ(files[0].size(), std::string("MOTION[hh-mm-ss].bmp").size());
    EXPECT_NE(files[0], "pick.bmp");
}

TEST_F(MotionWindow, ScanAt320PansInStepsOf5AndTurnsAtHalfTheSize) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, true, false, false);
        ASSERT_EQ(motionMode, 2);
        Tick(dlg);  // the scan starts from the whole picture
        EXPECT_TRUE(views.empty());
        // A move every second tick: 212 views and 3 turns of phase make one cycle.
        for (int i = 0; i < 2 * 215; ++i) Tick(dlg);
        std::vector<View> expected;
        for (int s = 99; s >= 50; --s) expected.push_back({s, 0, 0});
        for (unsigned x = 5; x <= 160; x += 5) expected.push_back({50, x, 0});
        for (unsigned y = 5; y <= 120; y += 5) expected.push_back({50, 160, y});
        for (int x = 155; x >= 0; x -= 5) expected.push_back({50, unsigned(x), 120});
        for (int y = 115; y >= 0; y -= 5) expected.push_back({50, 0, unsigned(y)});
        for (int s = 51; s <= 100; ++s) expected.push_back({s, 0, 0});
        ASSERT_EQ(views.size(), expected.size());
        EXPECT_TRUE(views == expected);
        Tick(dlg);
        Tick(dlg);
        ASSERT_EQ(views.size(), expected.size() + 1);
        EXPECT_TRUE(views.back() == (View{99, 0, 0}));  // and again
    });
}

TEST_F(MotionWindow, ScanWithAlarmMovesEveryTickAndShowsTheView) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, true, false, true);
        ASSERT_EQ(motionMode, 5);
        Tick(dlg);
        for (int i = 0; i < 10; ++i) Tick(dlg);
        EXPECT_EQ(views.size(), 10u);
        EXPECT_EQ(masks, 11);
        // A new size restarts the scan from the whole picture.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_640));
        EXPECT_EQ(dlg.m_detector.Width(), 640);
        EXPECT_EQ(dlg.m_bScanStarted, 0);
        views.clear();
        Tick(dlg);
        Tick(dlg);
        ASSERT_EQ(views.size(), 1u);
        EXPECT_TRUE(views[0] == (View{99, 0, 0}));
    });
}

TEST_F(MotionWindow, Display800OrLargerRunsNoMotionStepAndKeepsTheChoice) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ChooseMotion(script, dlg, true, true, true);
        for (int id : {IDC_SIZE_800, IDC_SIZE_1280, IDC_SIZE_1600}) {
            ASSERT_TRUE(fw::PressButton(dlg, id));
            masks = 0;
            views.clear();
            const BOOL lamp = ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_MOTION_LAMP));
            for (int i = 0; i < 5; ++i) Tick(dlg);
            EXPECT_EQ(masks, 0) << id;
            EXPECT_TRUE(views.empty()) << id;
            for (int i = 0; i < 2; ++i) {  // the lamp does not blink at this size
                dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
                EXPECT_EQ(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_MOTION_LAMP)), lamp) << id;
            }
            EXPECT_EQ(motionMode, 9);
            EXPECT_EQ(dlg.m_bMotionOn, 1);
        }
        // Back at 320 x 240 the detector is set up again and the step runs.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_320));
        EXPECT_EQ(dlg.m_detector.Width(), kW);
        EXPECT_EQ(TickMasks(dlg), 1);
    });
}

}  // namespace
