#include "monitor/dialogs/AudioSettingsDlg.h"

#include "framework/DataExchange.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/dialogs/DialogIcon.h"
#include "monitor/dialogs/DialogIds.h"

BEGIN_MESSAGE_MAP(CAudioSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_AS_NONE, &CAudioSettingsDlg::OnNone)
ON_BN_CLICKED(IDC_AS_AUDIO, &CAudioSettingsDlg::OnAudio)
ON_BN_CLICKED(IDC_AS_VIDEO, &CAudioSettingsDlg::OnVideo)
ON_BN_CLICKED(IDC_AS_OK, &CAudioSettingsDlg::OnOkButton)
END_MESSAGE_MAP()

CAudioSettingsDlg::CAudioSettingsDlg(CWnd* parent) : CDialog(IDD_AUDIO_SETTINGS, parent) {}

void CAudioSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_AS_OK, m_btnOK);
    DDX_Radio(dx, IDC_AS_NONE, m_nMasterStream);
}

BOOL CAudioSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetProgramIcon(*this);
    switch (masterStream) {
        case 1:
            m_nMasterStream = 1;
            break;
        case 2:
            m_nMasterStream = 2;
            break;
        case 255:
            m_nMasterStream = 0;
            break;
        default:
            break;
    }
    UpdateData(FALSE);
    return TRUE;
}

void CAudioSettingsDlg::OnNone() {
    masterStream = 255;
}
void CAudioSettingsDlg::OnAudio() {
    masterStream = 1;
}
void CAudioSettingsDlg::OnVideo() {
    masterStream = 2;
}
void CAudioSettingsDlg::OnOkButton() {
    EndDialog(IDOK);
}
