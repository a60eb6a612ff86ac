// The fixture for tests that run the main window on the real camera library and the test camera:
// the camera is required, plugged in and without faults before and after each test.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "devices/testcam/TestPattern.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickClock.h"
#include "monitor/window/MonitorDlg.h"
#include "tests/devices/support/TestCamera.h"
#include "tests/support/ModalScript.h"

namespace live_window {

// Lets the window's real timers run for a while (the modal seam runs no loop of its own).
inline void RunFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
        fw::PumpMessages();
        ::Sleep(5);
    }
}

// The test pattern's frame number in the window's latest frame; -1 before the first one.
inline long FrameCounter(const CMonitorDlg& dlg) {
    if (!dlg.m_capture.m_nFrameReady || !dlg.m_capture.m_pFrame) return -1;
    return testcam::ReadFrameCounter(dlg.m_capture.m_pFrame, dlg.m_capture.m_nWidth, dlg.m_capture.m_nHeight,
                                     dlg.m_capture.m_nWidth * 3);
}

class LiveCameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        REQUIRE_TEST_CAMERA();
        tick::SetClock(nullptr, nullptr);
        ResetMonitorSettings();
    }
    void TearDown() override { probe::ResetTestCamera(); }

    // Runs the main window as the program does; `body` drives it once it is initialised.
    static INT_PTR Run(fw::ModalScript& script, const std::function<void(CMonitorDlg&)>& body) {
        script.OnNextDialog(IDD_MONITOR, [&body](CDialog& dlg) { body(static_cast<CMonitorDlg&>(dlg)); });
        CMonitorDlg dlg;
        return dlg.DoModal();
    }
};

}  // namespace live_window
