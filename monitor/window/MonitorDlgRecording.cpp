// Recording from the main window: the Recorder button, the audio switch and the control lock
// around a recording.
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickClock.h"
#include "monitor/window/MonitorDlg.h"
#include "monitor/window/SizeModes.h"

void CMonitorDlg::OnRecorder() {
    // Starting and stopping AVI recording comes with the recorder.
}

void CMonitorDlg::OnRecordAudio() {
    m_bRecordAudio = m_bRecordAudio ? 0 : 1;
    m_btnAudioStrip.ShowWindow(m_bRecordAudio ? SW_SHOW : SW_HIDE);
}

void CMonitorDlg::ControlLock(BOOL enable) {
    UpdateData(TRUE);
    if (m_nSizeMode >= 4) {
        // The doubled sizes cannot be recorded: fall back to 640 x 480 (the camera is reopened by
        // the caller).
        Message("Not all video size are compatible!\r\n\r\nAuto adjust video size : 640x480.\r\n",
                MB_ICONEXCLAMATION | MB_TASKMODAL);
        m_nSizeMode = 2;
        for (int i = 0; i < 7; ++i)
            m_btnSize[i].SetCheck(monitor::kSizeButtonIds[i] == IDC_SIZE_640 ? BST_CHECKED : BST_UNCHECKED);
        UpdateData(FALSE);
        m_nDispWidth = 640;
        m_nDispHeight = 480;
        m_bZoom = 0;
        PlacePreview();
        SetupPreview();
        m_pZoomBuf.reset(
            new BYTE[static_cast<size_t>(m_nDispWidth) * static_cast<size_t>(m_nDispHeight) * 3]);
    }
    for (CMonitorButton& button : m_btnSize) button.EnableWindow(enable);
    m_btnClock.EnableWindow(enable);
    m_btnRecorderState.EnableWindow(enable);
    m_btnAudioSettings.EnableWindow(enable);
    m_btnRecordAudio.EnableWindow(enable);
    m_btnVideoSettings.EnableWindow(enable);
    m_bShowTime = 0;

    CString firstDevice;
    if (m_cbAudioDevice.GetCount() > 0) m_cbAudioDevice.GetLBText(0, firstDevice);
    firstDevice.MakeUpper();
    if (firstDevice.Left(4) == "NONE") {
        m_bRecordAudio = 0;
        m_btnRecordAudio.EnableWindow(FALSE);
    }

    if (enable) {
        m_bBlink = 0;
        if (!m_bMotionIndicator) KillTimer(kLampTimer);
        m_btnRecordLamp.EnableWindow(FALSE);
        m_btnRecordLamp.ShowWindow(SW_HIDE);
        m_btnRecorder.SetCheck(BST_UNCHECKED);
    } else {
        m_bBlink = 1;
        if (!m_bMotionIndicator) SetTimer(kLampTimer, kLampMilliseconds);
        m_btnRecordLamp.ShowWindow(SW_SHOW);
    }
}
