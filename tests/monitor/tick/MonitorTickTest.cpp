// The 50 ms tick with the scripted camera and the test clock: timer shots and their countdown,
// the clock stamp, still files, a lost camera, the dialog pause and the lamp blink.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "monitor/app/MonitorSettings.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickStamps.h"
#include "monitor/window/PreviewWnd.h"
#include "tests/monitor/window/MonitorHarness.h"

using namespace monitor_test;
using yscap_double::Script;

namespace {

constexpr int kW = 320;
constexpr int kH = 240;

std::vector<uint8_t> Grey() {
    return std::vector<uint8_t>(size_t(kW) * kH * 3, kGrey);
}

// What the tick should have drawn on a grey frame with the countdown showing `countdown`.
std::vector<uint8_t> Expected(const CMonitorDlg& dlg, const char* countdown) {
    std::vector<uint8_t> frame = Grey();
    tick::StampCameraIcon(frame.data(), kW, kH, dlg.m_pCamIcon.get());
    OutIamgeVideo(frame.data(), countdown, 59, kH - 42, kW, kH);
    return frame;
}

std::vector<uint8_t> Shown(const CMonitorDlg& dlg) {
    const uint8_t* f = dlg.m_capture.m_pFrame;
    return std::vector<uint8_t>(f, f + size_t(kW) * kH * 3);
}

// Rows of the picture where a stamp goes.
bool RowsDiffer(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int firstRow, int lastRow) {
    return std::memcmp(&a[size_t(firstRow) * kW * 3], &b[size_t(firstRow) * kW * 3],
                       size_t(lastRow - firstRow + 1) * kW * 3) != 0;
}
bool CountdownStamped(const std::vector<uint8_t>& f) {
    return RowsDiffer(f, Grey(), kH - 62, kH - 37);
}
bool ClockStamped(const std::vector<uint8_t>& f) {
    return RowsDiffer(f, Grey(), kH - 33, kH - 16);
}

// The pixels of a 24-bit BMP file, bottom row first (rows of kW * 3 bytes need no padding).
std::vector<uint8_t> ReadBmpPixels(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 54) return {};
    return std::vector<uint8_t>(bytes.begin() + 54, bytes.end());
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool FileExists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class MonitorTickTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        shot_ = ExeFolder() + "\\tick_test_shot.bmp";
        std::remove(shot_.c_str());
    }
    void TearDown() override { std::remove(shot_.c_str()); }
    std::string shot_;
};

TEST_F(MonitorTickTest, FiveSecondTimerShotCountsDownHidesForTheLastSecondAndWritesOnTime) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        timerShotPath = shot_.c_str();
        std::ofstream(shot_) << "old";
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        const uint32_t start = g_now;
        EXPECT_EQ(dlg.m_dwTimerShotStart, start);

        Tick(dlg, 0);  // the first tick shows the whole delay
        EXPECT_EQ(Shown(dlg), Expected(dlg, "00;05"));

        int countdownTicks = 0, hiddenTicks = 0;
        while (dlg.m_bTimerShot) {
            const float before = dlg.m_fTimerShotElapsed;
            const uint32_t elapsedMs = g_now + 50 - start;
            Tick(dlg);
            const std::vector<uint8_t> shown = Shown(dlg);
            // The stamp uses the time of the previous tick; it shows while more than a second is left.
            if (before < 4.0f) {
                ++countdownTicks;
                ASSERT_EQ(shown, Expected(dlg, tick::CountdownText(before, 5).c_str())) << elapsedMs;
            } else {
                ++hiddenTicks;
                ASSERT_EQ(shown, Grey()) << elapsedMs;
            }
            if (elapsedMs < 5000) {
                ASSERT_TRUE(dlg.m_bTimerShot) << elapsedMs;
                ASSERT_EQ(ReadText(shot_), "old") << elapsedMs;  // replaced only by the new picture
            }
        }
        EXPECT_EQ(g_now - start, 5000u);  // the first tick at or after 5.000 s
        EXPECT_EQ(countdownTicks, 80);    // previous elapsed 0 .. 3.95 s
        EXPECT_EQ(hiddenTicks, 20);
        EXPECT_EQ(ReadBmpPixels(shot_), Grey());
        EXPECT_EQ(dlg.m_fTimerShotElapsed, 0.0f);
        EXPECT_EQ(dlg.m_dwTimerShotStart, 0u);
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text,
                  CString(("Finish to timer shot.Save Image To :\n" + shot_).c_str()));
        EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
        EXPECT_EQ(script.messageBoxes[0].type, static_cast<UINT>(MB_OK));
        Tick(dlg);  // one-shot: nothing more
        EXPECT_EQ(script.messageBoxes.size(), 1u);
    });
}

TEST_F(MonitorTickTest, OneSecondTimerShotDrawsNoCountdown) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        timerShotPath = shot_.c_str();
        timerShotSeconds = 1;
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        const uint32_t start = g_now;
        Tick(dlg, 0);
        EXPECT_EQ(Shown(dlg), Grey());
        while (dlg.m_bTimerShot) {
            Tick(dlg, 70);
            ASSERT_EQ(Shown(dlg), Grey());
        }
        EXPECT_EQ(g_now - start, 1050u);  // 980 ms is short of the second
        EXPECT_TRUE(FileExists(shot_));
    });
}

TEST_F(MonitorTickTest, ClockAndCountdownAreBothStampedAndTheFileCarriesWhatIsShown) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        timerShotPath = shot_.c_str();
        ASSERT_TRUE(fw::PressButton(dlg, IDC_CLOCK));
        EXPECT_EQ(dlg.m_bShowTime, 1);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        Tick(dlg, 1000);
        std::vector<uint8_t> shown = Shown(dlg);
        EXPECT_TRUE(CountdownStamped(shown));
        EXPECT_TRUE(ClockStamped(shown));
        // Four seconds of ticks missed (a busy machine): the tick that writes the file still shows
        // the countdown of the previous tick, and the file has both stamps.
        Tick(dlg, 4500);
        ASSERT_FALSE(dlg.m_bTimerShot);
        shown = Shown(dlg);
        const std::vector<uint8_t> file = ReadBmpPixels(shot_);
        EXPECT_EQ(file, shown);
        EXPECT_TRUE(CountdownStamped(file));
        EXPECT_TRUE(ClockStamped(file));

        // A regular shot: the last second is clean of the countdown, the clock stays.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        while (dlg.m_bTimerShot) Tick(dlg);
        const std::vector<uint8_t> second = ReadBmpPixels(shot_);
        EXPECT_FALSE(CountdownStamped(second));
        EXPECT_TRUE(ClockStamped(second));

        ASSERT_TRUE(fw::PressButton(dlg, IDC_CLOCK));
        Tick(dlg);
        EXPECT_EQ(Shown(dlg), Grey());
    });
}

TEST_F(MonitorTickTest, SecondPressCancelsTheTimerShotAndKeepsTheOldFile) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        timerShotPath = shot_.c_str();
        std::ofstream(shot_) << "old";
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        Tick(dlg, 2000);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        EXPECT_EQ(dlg.m_bTimerShot, 0);
        EXPECT_EQ(dlg.m_fTimerShotElapsed, 0.0f);
        EXPECT_EQ(dlg.m_dwTimerShotStart, 0u);
        Tick(dlg, 5000);
        EXPECT_EQ(ReadText(shot_), "old");
        EXPECT_TRUE(script.messageBoxes.empty());
    });
}

TEST_F(MonitorTickTest, TimerShotThatCannotBeWrittenSaysSoInsteadOfFinished) {
    // A folder stands where the file should go: the folder around it takes files, the name does not.
    ::CreateDirectoryA(shot_.c_str(), nullptr);
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        timerShotPath = shot_.c_str();
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        Tick(dlg, 5000);
        EXPECT_EQ(dlg.m_bTimerShot, 0);
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString(("Cannot save the image to :\n" + shot_).c_str()));
        EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
    });
    ::RemoveDirectoryA(shot_.c_str());
}

TEST_F(MonitorTickTest, TimerShotWithoutAPathGoesToTheProgramFolder) {
    const std::string target = ExeFolder() + "\\TimerCap.bmp";
    std::remove(target.c_str());
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        EXPECT_EQ(dlg.m_strTimerShotFile, CString(target.c_str()));
        Tick(dlg, 5000);
        EXPECT_TRUE(FileExists(target));
    });
    std::remove(target.c_str());
}

TEST_F(MonitorTickTest, SnapshotRequestIsWrittenByTheNextTickWithAFrame) {
    fw::ModalScript script;
    Script().firstFrameMs = 200;
    const std::string temp = CMonitorDlg::SnapshotTempPath().GetString();
    std::remove(temp.c_str());
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        dlg.m_bSnapRequest = 1;
        Tick(dlg);  // no frame yet: the request waits
        EXPECT_EQ(dlg.m_bSnapRequest, 1);
        EXPECT_FALSE(FileExists(temp));
        Tick(dlg, 200);
        EXPECT_EQ(dlg.m_bSnapRequest, 0);
        EXPECT_EQ(ReadBmpPixels(temp), Grey());
    });
    std::remove(temp.c_str());
}

TEST_F(MonitorTickTest, FrameOfAnotherSizeThanTheDisplayIsSkipped) {
    fw::ModalScript script;
    const std::string temp = CMonitorDlg::SnapshotTempPath().GetString();
    std::remove(temp.c_str());
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_1600));
        // Locking for a recording drops the doubled size to 640 x 480 before the camera, still
        // at 800 x 600, is reopened: such frames are neither drawn nor written.
        dlg.ControlLock(FALSE);
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text,
                  CString("Not all video size are compatible!\r\n\r\nAuto adjust video size : 640x480.\r\n"));
        EXPECT_EQ(dlg.m_nDispWidth, 640);
        EXPECT_EQ(dlg.m_btnSize[2].GetCheck(), BST_CHECKED);
        EXPECT_EQ(dlg.m_btnSize[5].GetCheck(), BST_UNCHECKED);
        dlg.m_bSnapRequest = 1;
        Tick(dlg);
        EXPECT_EQ(dlg.m_bSnapRequest, 1);
        EXPECT_FALSE(FileExists(temp));
        ASSERT_TRUE(dlg.ReopenCameraAtDisplaySize());
        EXPECT_EQ(LastCall("Init")->numbers, (std::vector<long>{0, 640, 480}));
        Tick(dlg);
        EXPECT_EQ(dlg.m_bSnapRequest, 0);
        EXPECT_TRUE(FileExists(temp));
    });
    std::remove(temp.c_str());
}

TEST_F(MonitorTickTest, CameraLostInTheDoubledSizeReopensAtTheCaptureSizeAndKeepsZooming) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_1280));
        Tick(dlg);
        Script().lostAtCapture = 2;  // the next Capture after this reopening
        Script().paint = [](uint8_t* frame, int w, int h, int) {
            std::memset(frame, 200, size_t(w) * h * 3);
        };
        g_pauses.clear();
        Tick(dlg);  // lost: the camera is reopened at once
        ASSERT_NE(LastCall("Init"), nullptr);
        EXPECT_EQ(LastCall("Init")->numbers, (std::vector<long>{0, 640, 480}));
        EXPECT_EQ(g_pauses, (std::vector<uint32_t>{200}));
        EXPECT_EQ(dlg.m_bStop, 0);
        EXPECT_EQ(dlg.m_bZoom, 1);
        EXPECT_EQ(dlg.m_nDispWidth, 1280);
        EXPECT_TRUE(script.messageBoxes.empty());
        Tick(dlg);
        EXPECT_EQ(dlg.m_pZoomBuf[0], 200);
        EXPECT_EQ(dlg.m_pZoomBuf[size_t(1280) * 960 * 3 - 1], 200);
    });
}

TEST_F(MonitorTickTest, CameraThatCannotBeReopenedStopsTheTick) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        Script().lostAtCapture = 1;
        Script().initDefault = false;
        Tick(dlg);
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString("Video capture device lost.Stopping capture!"));
        EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
        EXPECT_EQ(dlg.m_bStop, 1);
        EXPECT_EQ(dlg.m_pZoomBuf, nullptr);
        const long delivered = Script().framesDelivered;
        Tick(dlg);
        EXPECT_EQ(Script().framesDelivered, delivered);
        // The next size change opens the camera again.
        Script().initDefault = true;
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_640));
        Tick(dlg);
        EXPECT_EQ(Script().framesDelivered, delivered + 1);
    });
}

TEST_F(MonitorTickTest, DialogPauseIsAnsweredOnceByEitherTimer) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        dlg.m_bDialogPause = 1;
        g_pauses.clear();
        Tick(dlg);
        EXPECT_EQ(g_pauses, (std::vector<uint32_t>{250}));
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_EQ(dlg.m_bStop, 0);
        Tick(dlg);
        EXPECT_EQ(g_pauses.size(), 1u);
        dlg.m_bDialogPause = 1;
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_EQ(g_pauses.size(), 2u);
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_EQ(dlg.m_bStop, 0);
    });
}

TEST_F(MonitorTickTest, LampBlinksWhileRecordingAndStopFlagEndsBothTimers) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        dlg.m_bRecording = 1;
        dlg.m_bBlink = 0;
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_TRUE(dlg.m_btnRecordLamp.IsWindowEnabled());
        EXPECT_EQ(dlg.m_bBlink, 1);
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_FALSE(dlg.m_btnRecordLamp.IsWindowEnabled());
        EXPECT_EQ(dlg.m_bBlink, 0);
        dlg.m_bRecording = 0;
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_FALSE(dlg.m_btnRecordLamp.IsWindowEnabled());  // left alone when not recording
        // A raised stop flag: the next tick takes no frame into the preview and kills the timers.
        dlg.m_bStop = 1;
        const long captures = Script().captureCalls;
        Tick(dlg);
        EXPECT_EQ(Script().captureCalls, captures + 1);
        EXPECT_EQ(::KillTimer(dlg.m_hWnd, CMonitorDlg::kTickTimer), FALSE);  // already stopped
    });
}

}  // namespace
