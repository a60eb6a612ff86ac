// Motion watching: the Monitor button (hidden in the shipped layout), the detector set-up after a
// size change, the per-tick motion step and the motion still.
#include "monitor/window/MonitorDlg.h"

void CMonitorDlg::OnMonitor() {
    // The monitor settings dialog (template 256) and the motion actions come with motion watching.
}

void CMonitorDlg::SetupMotion() {
    if (m_nDispWidth > 640) return;  // no motion watching above 640 x 480
    if (m_bMotionOn) {
        if (!m_detector.Init(m_nDispWidth, m_nDispHeight)) {
            m_detector.Release();
            Message("Failed to Moveing Object Tracking!\r\n", MB_ICONEXCLAMATION | MB_TASKMODAL);
            return;
        }
        const size_t pixels = static_cast<size_t>(m_nDispWidth) * static_cast<size_t>(m_nDispHeight);
        m_pMask.reset(new BYTE[pixels]);
        m_pMotionOut.reset(new BYTE[pixels * 3]());
        m_bScanStarted = 0;
        return;
    }
    m_detector.Release();
    m_nSensitivity = 30;
    m_pMask.reset();
    m_pMotionOut.reset();
}

BYTE* CMonitorDlg::MotionStep(BYTE* frame) {
    return frame;
}

void CMonitorDlg::WriteMotionStill(const BYTE*) {
    m_bMotionStill = 0;
}
