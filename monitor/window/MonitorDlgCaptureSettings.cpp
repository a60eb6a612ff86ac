// The capture settings buttons: audio settings (1044), video settings (1027) and timer shot
// settings (1036). Each dialog runs inside the dialog pause, which the tick answers once.
#include "monitor/app/CounterFile.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/AudioSettingsDlg.h"
#include "monitor/dialogs/MonitorDialogHost.h"
#include "monitor/dialogs/TimerShotSettingsDlg.h"
#include "monitor/dialogs/VideoSettingsDlg.h"
#include "monitor/record/RecordNames.h"
#include "monitor/window/MonitorDlg.h"

namespace {

// What the video settings dialog asks of this window: only the pause around its own message.
class VideoDialogHost final : public IMonitorDialogHost {
  public:
    explicit VideoDialogHost(BYTE& pause) : m_pause(pause) {}
    void SetDialogPause(bool pause) override { m_pause = pause ? 1 : 0; }
    void OpenAlarmPreview() override {}
    void PlayAlarmPreview() override {}
    void StopAlarmPreview() override {}

  private:
    BYTE& m_pause;
};

}  // namespace

void CMonitorDlg::OnAudioSettings() {
    m_bDialogPause = 1;
    CAudioSettingsDlg dialog(this);  // stores masterStream at each click
    dialog.DoModal();
    m_bDialogPause = 0;
}

void CMonitorDlg::OnVideoSettings() {
    m_bDialogPause = 1;
    UpdateData(TRUE);
    aviPath = record::NumberedAviFile(record::FolderOf(m_strAviFile.GetString()), m_nAviCounter).c_str();
    VideoDialogHost host(m_bDialogPause);
    CVideoSettingsDlg dialog(this, &host);
    if (dialog.DoModal() == IDOK) {
        // The dialog may have changed the counter file and the path of the next recording.
        ReadCounter(m_nAviCounter, (ProgramFolder() + "\\brenik.inf").GetString());
        m_strAviFile = aviPath;
        UpdateData(FALSE);
    }
    m_bDialogPause = 0;
}

void CMonitorDlg::OnTimerShotSettings() {
    m_bDialogPause = 1;
    CTimerShotSettingsDlg dialog(this);  // stores timerShotSeconds and timerShotPath on OK
    dialog.DoModal();
    m_bDialogPause = 0;
}
