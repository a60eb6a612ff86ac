// Shows the four settings dialogs side by side for a few seconds so a screenshot can be taken:
//   orvello_dialogs_showcase [seconds]
#include <cstdlib>

#include "framework/Framework.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/dialogs/AudioSettingsDlg.h"
#include "monitor/dialogs/MonitorSettingsDlg.h"
#include "monitor/dialogs/TimerShotSettingsDlg.h"
#include "monitor/dialogs/VideoSettingsDlg.h"

namespace {
class CNoHost : public IMonitorDialogHost {
  public:
    void SetDialogPause(bool) override {}
    void OpenAlarmPreview() override {}
    void PlayAlarmPreview() override {}
    void StopAlarmPreview() override {}
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    const int seconds = cmdLine && *cmdLine ? std::atoi(cmdLine) : 8;
    ResetMonitorSettings();
    aviPath = "C:\\Rec\\BRENIK-00042.avi";
    motionMode = 7;
    CNoHost host;
    CTimerShotSettingsDlg timerShot;
    CAudioSettingsDlg audio;
    CVideoSettingsDlg video(nullptr, &host);
    CMonitorSettingsDlg monitor(nullptr, &host);
    timerShot.Create(135);
    audio.Create(138);
    video.Create(139);
    monitor.Create(256);
    timerShot.SetWindowPos(nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    audio.SetWindowPos(nullptr, 330, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    video.SetWindowPos(nullptr, 10, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    monitor.SetWindowPos(nullptr, 330, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    // The monitor dialog's OK button with the keyboard focus, to show the blue frame.
    monitor.GetDlgItem(1060)->SetFocus();
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    MSG msg;
    while (::GetTickCount() < end) {
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(20);
    }
    return 0;
}
