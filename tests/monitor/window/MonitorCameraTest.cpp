// The main window with the real camera library and the test camera: live frames in the preview,
// the doubled size, a timer shot, and the camera unplugged at start and while running.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "monitor/window/PreviewWnd.h"
#include "tests/monitor/window/LiveWindow.h"

namespace {

using live_window::FrameCounter;
using live_window::RunFor;

using MonitorCameraTest = live_window::LiveCameraTest;

TEST_F(MonitorCameraTest, LiveFramesReachThePreview) {
    fw::ModalScript script;
    Run(script, [](CMonitorDlg& dlg) {
        CString label;
        dlg.GetDlgItemText(IDC_DEVICE_LABEL, label);
        EXPECT_EQ(label, CString("Test Pattern Camera"));
        RunFor(1500);
        const long first = FrameCounter(dlg);
        ASSERT_GE(first, 0);
        EXPECT_EQ(dlg.m_capture.m_nWidth, 320);
        RunFor(600);
        EXPECT_GT(FrameCounter(dlg), first);  // the picture moves
        // The preview shows the colour bars: its left column is the bars' white, not black.
        HDC dc = ::GetDC(dlg.m_pPreview->m_hWnd);
        const COLORREF bar = ::GetPixel(dc, 10, 40);
        ::ReleaseDC(dlg.m_pPreview->m_hWnd, dc);
        EXPECT_GT(GetRValue(bar) + GetGValue(bar) + GetBValue(bar), 400) << std::hex << bar;
    });
    EXPECT_TRUE(script.messageBoxes.empty());
}

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

TEST_F(MonitorCameraTest, OneSecondTimerShotWritesTheLivePicture) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string shot = std::string(temp) + "orvello_camera_shot.bmp";
    ::DeleteFileA(shot.c_str());
    fw::ModalScript script;
    Run(script, [&](CMonitorDlg& dlg) {
        timerShotPath = shot.c_str();
        timerShotSeconds = 1;
        RunFor(800);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT));
        for (int i = 0; i < 100 && dlg.m_bTimerShot; ++i) RunFor(50);
        EXPECT_EQ(dlg.m_bTimerShot, 0);
    });
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text,
              CString(("Finish to timer shot.Save Image To :\n" + shot).c_str()));
    std::ifstream in(shot, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 54u + 320 * 240 * 3);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_GE(testcam::ReadFrameCounter(bytes.data() + 54, 320, 240, 960), 0);
    ::DeleteFileA(shot.c_str());
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

TEST_F(MonitorCameraTest, UnpluggedWhileRunningStopsUntilASizeChangeFindsItAgain) {
    fw::ModalScript script;
    Run(script, [&](CMonitorDlg& dlg) {
        RunFor(1000);
        ASSERT_GE(FrameCounter(dlg), 0);
        ASSERT_EQ(probe::RunTestcamctl("unplug"), 0);
        for (int i = 0; i < 100 && script.messageBoxes.empty(); ++i) RunFor(50);
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString("Video capture device lost.Stopping capture!"));
        EXPECT_EQ(dlg.m_bStop, 1);
        ASSERT_EQ(probe::RunTestcamctl("plug"), 0);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_640));
        EXPECT_EQ(dlg.m_bStop, 0);
        RunFor(1500);
        EXPECT_EQ(dlg.m_capture.m_nWidth, 640);
        EXPECT_GE(FrameCounter(dlg), 0);
        EXPECT_EQ(script.messageBoxes.size(), 1u);
    });
}

}  // namespace
