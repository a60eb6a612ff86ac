// The motion detector in the main window on the test camera: a still picture gives no boxes once
// the background has learnt it; the moving square gives a box around it.
#include <gtest/gtest.h>

#include "monitor/dialogs/DialogIds.h"
#include "monitor/tick/MotionHooks.h"
#include "tests/monitor/window/LiveWindow.h"

namespace {

using live_window::RunFor;

class MotionCameraTest : public live_window::LiveCameraTest {
  protected:
    void SetUp() override {
        LiveCameraTest::SetUp();
        motion::Hooks().playAlarm = [](const std::string&) {};  // quiet
    }
    void TearDown() override {
        motion::Hooks() = motion::MotionHooks();
        LiveCameraTest::TearDown();
    }
};

// One tick by hand, with the camera's newest frame.
void TickOnce(CMonitorDlg& dlg) {
    ::Sleep(60);
    dlg.SendMessage(WM_TIMER, CMonitorDlg::kTickTimer);
}

TEST_F(MotionCameraTest, StillPictureGivesNoBoxesAndTheMovingSquareABoxAroundIt) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_MONITOR, [&](CDialog& window) {
        auto& dlg = static_cast<CMonitorDlg&>(window);
        RunFor(1000);
        // Scan and alarm: a mask at every tick, and the camera's own frame is left unstamped.
        script.OnNextDialog(IDD_MONITOR_SETTINGS, [](CDialog& settings) {
            for (int id : {IDC_MS_SCAN, IDC_MS_ALARM}) {
                settings.CheckDlgButton(id, BST_CHECKED);
                fw::PressButton(settings, id);
            }
            fw::PressButton(settings, IDC_MS_OK);
        });
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MONITOR, BN_CLICKED), 0);
        ASSERT_EQ(motionMode, 5);
        ASSERT_EQ(dlg.m_bMotionOn, 1);

        ASSERT_EQ(probe::RunTestcamctl("still on"), 0);
        RunFor(6000);  // the background learns the still picture
        dlg.KillTimer(CMonitorDlg::kTickTimer);
        for (int i = 0; i < 5; ++i) {
            TickOnce(dlg);
            EXPECT_EQ(dlg.m_detector.m_nLastBox, -1) << "tick " << i;
        }

        ASSERT_EQ(probe::RunTestcamctl("still off"), 0);
        dlg.SetTimer(CMonitorDlg::kTickTimer, CMonitorDlg::kTickMilliseconds);
        RunFor(1500);
        dlg.KillTimer(CMonitorDlg::kTickTimer);
        TickOnce(dlg);
        ASSERT_TRUE(dlg.m_capture.m_nFrameReady && dlg.m_capture.m_pFrame);
        const int w = dlg.m_capture.m_nWidth, h = dlg.m_capture.m_nHeight;
        const long frame = testcam::ReadFrameCounter(dlg.m_capture.m_pFrame, w, h, w * 3);
        ASSERT_GE(frame, 0);
        const testcam::SquarePosition square = testcam::MovingSquare(w, h, uint32_t(frame));
        const int cx = square.x + square.size / 2, cy = square.y + square.size / 2;
        bool around = false;
        for (int i = 0; i <= dlg.m_detector.m_nLastBox; ++i) {
            const MOVBOX& b = dlg.m_detector.m_pBoxes[i];
            around |= b.left <= cx && cx < b.right && b.top <= cy && cy < b.bottom &&
                      b.right - b.left >= square.size / 2 && b.bottom - b.top >= square.size / 2;
        }
        EXPECT_TRUE(around) << "square at " << square.x << "," << square.y << " boxes "
                            << dlg.m_detector.m_nLastBox + 1;
        dlg.EndDialog(IDCANCEL);
    });
    CMonitorDlg dlg;
    dlg.DoModal();
}

}  // namespace
