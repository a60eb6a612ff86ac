// Recording from the main window: the Recorder button, the audio switch and the control lock
// around a recording.
#include "monitor/app/CounterFile.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/record/AsideFile.h"
#include "monitor/record/RecordNames.h"
#include "monitor/record/WriteFailure.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickClock.h"
#include "monitor/window/MonitorDlg.h"
#include "monitor/window/SizeModes.h"

namespace {

void ShowCursor(LPCTSTR cursor) {
    ::SetCursor(::LoadCursor(nullptr, cursor));
}

// The counter file holds the number of the next AVI file.
CString CounterFile() {
    return ProgramFolder() + "\\brenik.inf";
}

void StartRecording(CMonitorDlg& dlg) {
    dlg.m_bRecording = 1;
    dlg.m_bStop = 1;
    dlg.KillTimer(CMonitorDlg::kTickTimer);
    dlg.ControlLock(FALSE);  // may bring a doubled size down to 640 x 480
    ShowCursor(IDC_WAIT);
    dlg.m_capture.Release();
    tick::Pause(250);

    dlg.UpdateData(TRUE);
    int counter = dlg.m_nAviCounter;
    ReadCounter(counter, CounterFile().GetString());
    const record::AviTarget target =
        record::ChooseAviTarget(counter, dlg.m_strAviFile.GetString(), aviPathChanged != 0);
    const bool typedPath = aviPathChanged != 0;
    aviPathChanged = 0;
    dlg.m_nAviCounter = target.nextCounter;
    if (target.showPath) {
        dlg.m_strAviFile = target.path.c_str();
        dlg.UpdateData(FALSE);
    }

    // An old file at that path survives a start that fails.
    record::AsideFile oldFile(target.path);
    const bool started = dlg.m_capture.GetAviFromCam(
        dlg.m_cbVideoCompressor.GetCurSel(), dlg.m_nDispWidth, dlg.m_nDispHeight,
        dlg.m_cbAudioCompressor.GetCurSel(), dlg.m_cbAudioDevice.GetCurSel(), masterStream,
        dlg.m_bRecordAudio, dlg.m_bAudioCompressorPresent, target.path);
    if (started) {
        oldFile.Discard();
        // The number is used up only by a recording that really started.
        if (!typedPath) WriteCounter(dlg.m_nAviCounter, CounterFile().GetString());
        dlg.m_btnRecorderState.SetWindowText("Stop recorder");
        dlg.m_btnRecorderState.EnableWindow(TRUE);
        ShowCursor(IDC_APPSTARTING);
        if (dlg.m_bRecordAudio && dlg.m_capture.m_bAudioFallback) {
            dlg.Message(
                "Failed to connect Audio to selected compressor!\r\nAuto adjust Audio Format : PCM\r\n\r\n"
                "The selected compressor may not be compatible with this content.\r\n");
            dlg.m_capture.m_bAudioFallback = 0;
        }
        dlg.m_bStop = 0;
        dlg.SetTimer(CMonitorDlg::kTickTimer, CMonitorDlg::kTickMilliseconds);
        return;
    }

    oldFile.Restore();
    ::OutputDebugStringA(("Orvello: the recording could not start: " + target.path + "\n").c_str());
    // A folder that takes no file is no fault of the compressor.
    const std::string folder = record::FolderOf(target.path);
    const CString failure = record::CanWriteIn(folder) ? CString(record::RecordFailedText(dlg.m_nDispWidth))
                                                       : CString(record::CannotWriteText(folder).c_str());
    dlg.Message(failure, MB_ICONEXCLAMATION | MB_TASKMODAL);
    dlg.m_bRecording = 0;
    dlg.m_capture.Release();
    tick::Pause(200);
    dlg.ReopenCameraAtDisplaySize();
    dlg.m_btnRecorderState.SetWindowText("Run recorder");
    dlg.ControlLock(TRUE);
    ShowCursor(IDC_APPSTARTING);
    // The counter file was not written: it still holds the number of this attempt.
    dlg.m_nAviCounter = counter;
}

void StopRecording(CMonitorDlg& dlg) {
    dlg.m_bRecording = 0;
    dlg.m_btnRecorderState.EnableWindow(FALSE);
    ShowCursor(IDC_WAIT);
    dlg.m_capture.Release();  // finishes the file
    tick::Pause(200);
    dlg.ReopenCameraAtDisplaySize();
    dlg.m_btnRecorderState.SetWindowText("Run recorder");
    dlg.ControlLock(TRUE);
    ShowCursor(IDC_APPSTARTING);
    // The tick runs again even when the camera could not be reopened.
    dlg.m_bStop = 0;
    dlg.SetTimer(CMonitorDlg::kTickTimer, CMonitorDlg::kTickMilliseconds);
}

}  // namespace

void CMonitorDlg::OnRecorder() {
    if (m_bRecording)
        StopRecording(*this);
    else
        StartRecording(*this);
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
    for (CSkinButton& button : m_btnSize) button.EnableWindow(enable);
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
