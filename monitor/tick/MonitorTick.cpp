// The main window's timers: the 50 ms frame tick (timer 1) and the 618 ms lamp blink (timer 3),
// with the timer shot, the clock and countdown stamps and the recovery of a lost camera.
#include <ctime>
#include <string>

#include "monitor/app/MonitorSettings.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/record/SnapshotFile.h"
#include "monitor/record/WriteFailure.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickClock.h"
#include "monitor/tick/TickStamps.h"
#include "monitor/window/MonitorDlg.h"
#include "monitor/window/PreviewWnd.h"

namespace {

constexpr const char* kRecordFailed800 =
    "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be compatible with "
    "size: 800x600.\r\n";
constexpr const char* kRecordFailedContent =
    "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be compatible with "
    "this content.\r\n";

void ShowCursor(LPCTSTR cursor) {
    ::SetCursor(::LoadCursor(nullptr, cursor));
}

}  // namespace

void CMonitorDlg::FrameTick() {
    m_capture.Capture();
    BYTE* frame = m_capture.m_nFrameReady ? m_capture.m_pFrame : nullptr;
    const int width = m_nDispWidth;
    const int height = m_nDispHeight;
    if (frame) {
        // The picture leaving this step is always the display size; a frame of another size (the
        // camera not yet reopened for a new display size) is skipped rather than overrun.
        if (m_bZoom) {
            const bool fits =
                m_pZoomBuf && m_capture.m_nWidth * 2 == width && m_capture.m_nHeight * 2 == height;
            if (fits) ZoomImg(frame, m_pZoomBuf.get(), m_capture.m_nWidth, m_capture.m_nHeight);
            frame = fits ? m_pZoomBuf.get() : nullptr;
        } else if (m_capture.m_nWidth != width || m_capture.m_nHeight != height) {
            frame = nullptr;
        } else if (m_bMotionOn && width < 800) {
            frame = MotionStep(frame);
        }
    }
    if (frame) {
        if (m_bShowTime || m_bTimerShot) StampOverlays(frame, width, height);
        if (m_pPreview) m_pPreview->Draw(frame);
        if (m_bMotionOn && m_bMotionStill) WriteMotionStill(frame);
        if (m_bSnapRequest) {
            CaptureToFile(frame, SnapshotTempPath(), width, height);
            m_bSnapRequest = 0;
        }
        if (m_bTimerShot) {
            m_fTimerShotElapsed = tick::ElapsedSeconds(tick::Now(), m_dwTimerShotStart);
            if (m_fTimerShotElapsed >= static_cast<float>(timerShotSeconds)) {
                const bool saved = record::SaveFrameAsBmp(frame, width, height, m_strTimerShotFile);
                m_fTimerShotElapsed = 0;
                m_bTimerShot = 0;
                m_dwTimerShotStart = 0;
                KillTimer(kTickTimer);
                if (saved)
                    Message("Finish to timer shot.Save Image To :\n" + m_strTimerShotFile);
                else
                    Message(record::PictureNotWrittenText(m_strTimerShotFile.GetString()).c_str(),
                            MB_ICONEXCLAMATION);
                SetTimer(kTickTimer, kTickMilliseconds);
            }
        }
    }

    if (m_bStop) {
        KillTimer(kTickTimer);
        KillTimer(kLampTimer);
        return;
    }
    if (m_capture.m_bLost) {
        RecoverCamera();
        return;
    }
    if (m_bDialogPause) AnswerDialogPause(false);
    CDialog::OnTimer(kTickTimer);
}

void CMonitorDlg::StampOverlays(BYTE* frame, int width, int height) {
    if (m_bTimerShot) {
        const std::string countdown = tick::CountdownText(m_fTimerShotElapsed, timerShotSeconds);
        if (tick::CountdownVisible(m_fTimerShotElapsed, timerShotSeconds)) {
            if (m_pCamIcon) tick::StampCameraIcon(frame, width, height, m_pCamIcon.get());
            OutIamgeVideo(frame, countdown.c_str(), 59, height - 42, width, height);
        }
    }
    if (m_bShowTime) {
        const std::time_t now = std::time(nullptr);
        const std::tm* local = std::localtime(&now);
        if (local) OutIamgeVideo(frame, tick::ClockText(*local).c_str(), 16, height - 16, width, height);
    }
}

void CMonitorDlg::RecoverCamera() {
    m_bStop = 1;
    KillTimer(kTickTimer);
    m_capture.Release();
    tick::Pause(200);
    int width = 0, height = 0;
    tick::ReopenSize(m_nDispWidth, m_nDispHeight, width, height);
    if (m_capture.Init(0, width, height)) {
        if (m_bRecording) {
            m_bRecording = 0;
            Message(m_nDispWidth == 800 ? kRecordFailed800 : kRecordFailedContent,
                    MB_ICONEXCLAMATION | MB_TASKMODAL);
            m_btnRecorderState.SetWindowText("Run recorder");
            ControlLock(TRUE);
            ShowCursor(IDC_APPSTARTING);
        }
        m_bStop = 0;
        SetTimer(kTickTimer, kTickMilliseconds);
        return;
    }
    Message("Video capture device lost.Stopping capture!");
    m_capture.Release();
    m_pZoomBuf.reset();
    if (m_bRecording) {
        m_bRecording = 0;
        Message("ERROR during capture AVI file (Device Lost).Stopping capture!\r\n",
                MB_ICONEXCLAMATION | MB_TASKMODAL);
        m_btnRecorderState.SetWindowText("Run recorder");
        ControlLock(TRUE);
        ShowCursor(IDC_APPSTARTING);
    }
    // The tick stays stopped until a size change opens the camera again.
}

void CMonitorDlg::AnswerDialogPause(bool lampTimerToo) {
    m_bStop = 1;
    if (lampTimerToo) KillTimer(kLampTimer);
    KillTimer(kTickTimer);
    ShowCursor(IDC_WAIT);
    tick::Pause(250);
    ShowCursor(IDC_APPSTARTING);
    m_bDialogPause = 0;
    m_bStop = 0;
    if (lampTimerToo) SetTimer(kLampTimer, kLampMilliseconds);
    SetTimer(kTickTimer, kTickMilliseconds);
}

void CMonitorDlg::LampTick() {
    // A lamp's disabled picture is the unlit lamp.
    if (m_bRecording) m_btnRecordLamp.EnableWindow(m_bBlink == 0);
    if (m_bMotionIndicator && m_nDispWidth < 800) m_btnMotionLamp.EnableWindow(m_bBlink == 0);
    m_bBlink = m_bBlink ? 0 : 1;
    if (m_bStop) {
        KillTimer(kLampTimer);
        KillTimer(kTickTimer);
        return;
    }
    if (m_bDialogPause) AnswerDialogPause(true);
    CDialog::OnTimer(kLampTimer);
}

void CMonitorDlg::OnClock() {
    m_bShowTime = m_bShowTime ? 0 : 1;
}

void CMonitorDlg::OnTimerShot() {
    if (m_bTimerShot) {  // a second press cancels
        m_bTimerShot = 0;
        m_fTimerShotElapsed = 0;
        m_dwTimerShotStart = 0;
        return;
    }
    m_strTimerShotFile = timerShotPath;
    if (m_strTimerShotFile.IsEmpty()) {
        // The program folder, found from the program file's path (long paths included).
        char path[32768];
        const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
        path[length < sizeof path ? length : sizeof path - 1] = '\0';
        lstrcpynA(m_szModulePath, path, MAX_PATH);
        m_strTimerShotFile = tick::DefaultTimerShotFile(path).c_str();
    }
    // An existing file stays until the new picture replaces it.
    m_bTimerShot = 1;
    m_fTimerShotElapsed = 0;
    m_dwTimerShotStart = tick::Now();
}
