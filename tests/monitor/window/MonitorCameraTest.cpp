// The main window with the real camera library and the test camera: the doubled size and the
// camera unplugged at start.
#include <gtest/gtest.h>

#include "monitor/window/PreviewWnd.h"
#include "tests/monitor/window/LiveWindow.h"

namespace {

using live_window::FrameCounter;
using live_window::RunFor;

using MonitorCameraTest = live_window::LiveCameraTest;

TEST_F(MonitorCameraTest, DoubledSizeZoomsTheCamerasFrames) {
    fw::ModalScript script;
    Run(script, [](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_1280));
        RunFor(1500);
        ASSERT_EQ(dlg.m_capture.m_nWidth, 640);
        ASSERT_GE(FrameCounter(dlg), 0);
        // Stop the tick and take one more so that the camera frame and the zoom buffer match.
        dlg.KillTimer(CMonitorDlg::kTickTimer);
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kTickTimer);
        const BYTE* camera = dlg.m_capture.m_pFrame;
        const BYTE* zoom = dlg.m_pZoomBuf.get();
        for (int y : {0, 100, 479})
            for (int x : {0, 333, 639})
                for (int c = 0; c < 3; ++c) {
                    const BYTE source = camera[(size_t(y) * 640 + x) * 3 + c];
                    EXPECT_EQ(zoom[(size_t(2 * y) * 1280 + 2 * x) * 3 + c], source);
                    EXPECT_EQ(zoom[(size_t(2 * y + 1) * 1280 + 2 * x + 1) * 3 + c], source);
                }
    });
}

TEST_F(MonitorCameraTest, NoCameraAtStartEndsTheProgram) {
    ASSERT_EQ(probe::RunTestcamctl("unplug"), 0);
    fw::ModalScript script;
    bool ran = false;
    EXPECT_EQ(Run(script, [&](CMonitorDlg&) { ran = true; }), IDCANCEL);
    EXPECT_FALSE(ran);
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text, CString("Not found video capture device!"));
    EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
}

}  // namespace
