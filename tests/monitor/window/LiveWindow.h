// Helpers for tests that run the main window on the real camera library and the test camera.
#pragma once

#include <windows.h>

#include "devices/testcam/TestPattern.h"
#include "tests/support/ModalScript.h"
#include "monitor/window/MonitorDlg.h"

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

}  // namespace live_window
