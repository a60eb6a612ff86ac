// The capture settings buttons: audio settings (1044), video settings (1027) and timer shot
// settings (1036). Each dialog runs inside the dialog pause, which the tick answers once.
#include "monitor/window/MonitorDlg.h"

void CMonitorDlg::OnAudioSettings() {
    m_bDialogPause = 1;
    // The audio settings dialog (template 138) comes with the capture settings dialogs.
    m_bDialogPause = 0;
}

void CMonitorDlg::OnVideoSettings() {
    m_bDialogPause = 1;
    // The video settings dialog (template 139) comes with the capture settings dialogs.
    m_bDialogPause = 0;
}

void CMonitorDlg::OnTimerShotSettings() {
    m_bDialogPause = 1;
    // The timer shot settings dialog (template 135) comes with the capture settings dialogs.
    m_bDialogPause = 0;
}
