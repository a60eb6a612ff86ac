// Motion watching: the Monitor button (hidden in the shipped layout) with its settings dialog, the
// detector set-up after a size change, the per-tick motion step, the motion still and the lamp.
// Also the alarm preview player the monitor settings dialog asks this window for.
#include <windows.h>
#include <mmsystem.h>

#include <ctime>
#include <string>

#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/AlarmPreview.h"
#include "monitor/dialogs/MonitorSettingsDlg.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/resources/artwork/ArtworkIds.h"
#include "monitor/tick/MotionHooks.h"
#include "monitor/tick/MotionRules.h"
#include "monitor/tick/ScanMachine.h"
#include "monitor/window/MonitorDlg.h"

namespace {

constexpr const char* kNoAudioDevice = "Not found valid Audio device. Disable Alarm!";
constexpr const char* kDetectorFailed = "Failed to Moveing Object Tracking!\r\n";

void GenerateMask(CMovDetector& detector, const BYTE* frame, BYTE* mask, BYTE sensitivity) {
    detector.GenerateMask(frame, mask, sensitivity);
    if (motion::Hooks().maskGenerated) motion::Hooks().maskGenerated();
}

const int32_t* BoxBounds(const CMovDetector& detector) {
    return reinterpret_cast<const int32_t*>(detector.m_pBoxes);
}

void PlayAlarm() {
    const std::string sound = alarmSoundPath.GetString();
    if (motion::Hooks().playAlarm) {
        motion::Hooks().playAlarm(sound);
        return;
    }
    // Asynchronous, no default sound, and a sound already playing is left to finish.
    ::sndPlaySoundA(sound.c_str(), SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
}

}  // namespace

void CMonitorDlg::SetDialogPause(bool pause) {
    m_bDialogPause = pause ? 1 : 0;
}

void CMonitorDlg::OpenAlarmPreview() {
    m_hAlarmPlayer = alarm_preview::Open(m_hWnd, m_hAlarmPlayer, alarmSoundPath);
}

void CMonitorDlg::PlayAlarmPreview() {
    alarm_preview::Play(m_hWnd, m_hAlarmPlayer, m_bNoAudioDevice != 0);
}

void CMonitorDlg::StopAlarmPreview() {
    alarm_preview::Stop(m_hAlarmPlayer);
}

void CMonitorDlg::OnMonitor() {
    m_bDialogPause = 1;
    CMonitorSettingsDlg dialog(this, this);
    if (dialog.DoModal() == IDOK) {
        m_bMotionStill = 0;
        m_bMotionOn = 0;
        m_bScanStarted = 0;
        m_nStillCooldown = motion::kStillCooldown;
        const int mode = motionMode;
        if (motion::IsScanMode(mode)) m_bMotionOn = 1;
        if (motion::IsAlarmMode(mode)) {
            if (m_bNoAudioDevice) {
                Message(kNoAudioDevice, MB_ICONEXCLAMATION | MB_TASKMODAL);
            } else {
                m_nScanTick = 0;
                m_bMotionOn = 1;
            }
        }
        if (motion::IsStillMode(mode)) {
            m_nScanTick = 0;
            m_bMotionOn = 1;
        }
        SetupMotion();
        ShowMotionLamp(m_bMotionOn != 0);
        SetMonitorButtonLit(m_bMotionOn != 0);
        if (!m_bMotionOn) m_btnMonitor.SetCheck(BST_UNCHECKED);
    } else if (!m_bMotionOn) {
        ShowMotionLamp(false);
        m_btnMonitor.SetCheck(BST_UNCHECKED);
    }
    m_bDialogPause = 0;
}

void CMonitorDlg::ShowMotionLamp(bool on) {
    m_bMotionIndicator = on ? 1 : 0;
    m_btnMotionLamp.ShowWindow(on ? SW_SHOW : SW_HIDE);
    // The lamp timer also blinks the recording lamp: a recording keeps it running.
    if (m_bRecording) return;
    if (on)
        SetTimer(kLampTimer, kLampMilliseconds);
    else
        KillTimer(kLampTimer);
}

void CMonitorDlg::SetMonitorButtonLit(bool lit) {
    m_btnMonitor.SetBitmaps(lit ? ORV_BMP_MONITOR_ON : ORV_BMP_MONITOR, ORV_BMP_MONITOR_ON, 0u, 0u, 0u,
                            ORV_BMP_MASK_BUTTON, CSkinButton::kOneToOne, 0, 0);
    if (m_btnMonitor.m_hWnd) m_btnMonitor.Invalidate();
}

void CMonitorDlg::SetupMotion() {
    if (m_nDispWidth > 640) return;  // no motion watching above 640 x 480
    if (m_bMotionOn) {
        if (!m_detector.Init(m_nDispWidth, m_nDispHeight)) {
            m_detector.Release();
            Message(kDetectorFailed, MB_ICONEXCLAMATION | MB_TASKMODAL);
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
    const int width = m_nDispWidth;
    const int height = m_nDispHeight;
    // After a failed detector set-up (or before one at this size) there is nothing to run on.
    if (!m_pMask || !m_pMotionOut || m_detector.Width() != width || m_detector.Height() != height)
        return frame;

    const int mode = motionMode;
    bool masked = false;
    if (motion::IsAlarmMode(mode)) {
        GenerateMask(m_detector, frame, m_pMask.get(), m_nSensitivity);
        masked = true;
        if (motion::FirstAlarmBox(BoxBounds(m_detector), m_detector.m_nLastBox) >= 0) PlayAlarm();
        m_nScanTick = 1;
    }
    if (motion::IsStillMode(mode)) {
        if (++m_nStillCooldown > motion::kStillCooldown) {
            m_nStillCooldown = motion::kStillCooldown;
            if (!masked) {
                GenerateMask(m_detector, frame, m_pMask.get(), m_nSensitivity);
                m_nScanTick = 1;
            }
            if (motion::FirstStillBox(BoxBounds(m_detector), m_detector.m_nLastBox) >= 0) {
                m_bMotionStill = 1;
                m_nStillCooldown = 0;
                ++m_nStillCount;
            }
        }
    }

    BYTE* shown = frame;
    if (motion::IsScanMode(mode)) {
        motion::ScanState& scan = motion::ProcessScan();
        if (!m_bScanStarted) {
            m_nScanTick = 0;
            m_bScanStarted = 1;
            motion::StartScan(scan, width);
            memcpy(m_pMotionOut.get(), frame, static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
        } else if (++m_nScanTick > 1) {
            m_nScanTick = 0;
            const motion::ScanMove move = motion::NextScanMove(scan, width, height);
            if (move.resize) {
                m_detector.Resize(frame, m_pMotionOut.get(), move.scale, move.x, move.y);
                if (motion::Hooks().viewResized) motion::Hooks().viewResized(move.scale, move.x, move.y);
            }
        }
        shown = m_pMotionOut.get();
    }

    if (motion::IsStillMode(mode)) {
        if (m_pTargetIcon) motion::StampTargetIcon(shown, width, height, m_pTargetIcon.get());
        char count[16];
        wsprintfA(count, "%d", m_nStillCount);
        OutIamgeVideo(shown, count, motion::kCountTextX, motion::CountTextY(height), width, height);
    }
    return shown;
}

void CMonitorDlg::WriteMotionStill(const BYTE* frame) {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local) {
        const std::string path =
            motion::MotionStillFile(motionStillPath.GetString(), ProgramFolder().GetString(), local->tm_hour,
                                    local->tm_min, local->tm_sec);
        CaptureToFile(frame, path.c_str(), m_nDispWidth, m_nDispHeight);  // a failed write stays silent
    }
    m_bMotionStill = 0;
}
