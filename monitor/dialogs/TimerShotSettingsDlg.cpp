#include "monitor/dialogs/TimerShotSettingsDlg.h"

#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/DialogIcon.h"
#include "monitor/dialogs/DialogIds.h"

CString DefaultTimerShotPath() {
    return ProgramFolder() + CString("\\TimerCap.bmp");
}

BEGIN_MESSAGE_MAP(CTimerShotSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_TS_OK, &CTimerShotSettingsDlg::OnOkButton)
ON_BN_CLICKED(IDC_TS_SAME_PATH, &CTimerShotSettingsDlg::OnSamePath)
ON_BN_CLICKED(IDC_TS_SPECIFIED_PATH, &CTimerShotSettingsDlg::OnSpecifiedPath)
ON_BN_CLICKED(IDC_TS_BROWSE, &CTimerShotSettingsDlg::OnBrowse)
END_MESSAGE_MAP()

CTimerShotSettingsDlg::CTimerShotSettingsDlg(CWnd* parent) : CDialog(IDD_TIMERSHOT_SETTINGS, parent) {}

void CTimerShotSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_TS_SECONDS_SPIN, m_spin);
    DDX_Control(dx, IDC_TS_BROWSE, m_btnBrowse);
    DDX_Control(dx, IDC_TS_OK, m_btnOK);
    DDX_Text(dx, IDC_TS_PATH, m_strPath);
    DDX_Radio(dx, IDC_TS_SAME_PATH, m_nPathChoice);
    DDX_Text(dx, IDC_TS_SECONDS, m_nSeconds);
    DDV_MinMaxUInt(dx, m_nSeconds, 1, 3600);
}

BOOL CTimerShotSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetProgramIcon(*this);

    m_nSeconds = static_cast<UINT>(timerShotSeconds);
    m_strPath = DefaultTimerShotPath();
    UpdateData(FALSE);

    if (!timerShotPath.IsEmpty() && timerShotPath.CompareNoCase(m_strPath) != 0) {
        m_nPathChoice = 1;
        m_strPath = timerShotPath;
        EnablePathControls(TRUE);
        UpdateData(FALSE);
    }

    m_spin.SetRange(1, 3600);
    m_spin.SetPos(static_cast<int>(m_nSeconds));
    return TRUE;
}

void CTimerShotSettingsDlg::EnablePathControls(BOOL enable) {
    GetDlgItem(IDC_TS_PATH)->EnableWindow(enable);
    GetDlgItem(IDC_TS_BROWSE)->EnableWindow(enable);
}

void CTimerShotSettingsDlg::OnOkButton() {
    if (!UpdateData(TRUE)) return;  // the range message was shown; nothing is stored
    timerShotSeconds = static_cast<int>(m_nSeconds);
    timerShotPath = m_strPath;  // the default path too, when "Save to same path" is chosen
    EndDialog(IDOK);
}

void CTimerShotSettingsDlg::ShowPath(const CString& path) {
    // Only the path control: the seconds the user may have typed stay as they are.
    m_strPath = path;
    SetDlgItemText(IDC_TS_PATH, m_strPath);
}

void CTimerShotSettingsDlg::OnSamePath() {
    m_nPathChoice = 0;
    EnablePathControls(FALSE);
    ShowPath(DefaultTimerShotPath());
}

void CTimerShotSettingsDlg::OnSpecifiedPath() {
    m_nPathChoice = 1;
    EnablePathControls(TRUE);
}

void CTimerShotSettingsDlg::OnBrowse() {
    CFileDialog dialog(FALSE, "*.bmp", "TimerCap", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "BMP Files (*.bmp)|*.bmp|", this);
    if (dialog.DoModal() != IDOK) return;
    // An existing file stays until the timer shot really replaces it: the user may still cancel,
    // or never take the shot.
    ShowPath(dialog.GetPathName());
}
