#include "monitor/dialogs/VideoSettingsDlg.h"

#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "monitor/app/CounterFile.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/AviName.h"
#include "monitor/dialogs/DialogIcon.h"
#include "monitor/dialogs/DialogIds.h"

CString CounterFilePath() {
    return ProgramFolder() + CString("\\BRENIK.inf");
}

BEGIN_MESSAGE_MAP(CVideoSettingsDlg, CDialog)
ON_EN_CHANGE(IDC_VS_COUNTER, &CVideoSettingsDlg::OnCounterChange)
ON_EN_CHANGE(IDC_VS_PATH, &CVideoSettingsDlg::OnPathChange)
ON_BN_CLICKED(IDC_VS_BROWSE, &CVideoSettingsDlg::OnBrowse)
END_MESSAGE_MAP()

CVideoSettingsDlg::CVideoSettingsDlg(CWnd* parent, IMonitorDialogHost* host)
    : CDialog(IDD_VIDEO_SETTINGS, parent), m_pHost(host) {}

void CVideoSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_VS_BROWSE, m_btnBrowse);
    DDX_Control(dx, IDOK, m_btnOK);
    DDX_Text(dx, IDC_VS_COUNTER, m_nCounter);
    DDV_MinMaxUInt(dx, m_nCounter, 0, 99999);
    DDX_Text(dx, IDC_VS_PATH, m_strPath);
}

void CVideoSettingsDlg::ShowMembers() {
    const bool wasShowing = m_bShowing;
    m_bShowing = true;
    UpdateData(FALSE);
    m_bShowing = wasShowing;
}

bool CVideoSettingsDlg::DiffersFromNumberedName(const CString& path) const {
    return path.CompareNoCase(NumberedAviName(FolderOfPath(path), static_cast<int>(m_nCounter))) != 0;
}

BOOL CVideoSettingsDlg::OnInitDialog() {
    m_bShowing = true;  // the default initialisation writes the controls one by one
    CDialog::OnInitDialog();
    SetProgramIcon(*this);
    m_strPath = aviPath;
    int counter = static_cast<int>(m_nCounter);
    ReadCounter(counter, CounterFilePath());
    m_nCounter = static_cast<UINT>(counter);
    m_bShowing = false;
    ShowMembers();
    return TRUE;
}

void CVideoSettingsDlg::OnCounterChange() {
    if (m_bShowing) return;
    UpdateData(TRUE);
}

void CVideoSettingsDlg::OnPathChange() {
    if (m_bShowing) return;
    // A counter that fails its check stops the exchange before the path: take the path itself, so
    // that what the user types is judged even then.
    if (!UpdateData(TRUE)) GetDlgItemText(IDC_VS_PATH, m_strPath);
    m_bUserNamed = DiffersFromNumberedName(m_strPath);
}

void CVideoSettingsDlg::OnBrowse() {
    if (!UpdateData(TRUE)) return;
    CFileDialog dialog(FALSE, "*.avi", NumberedAviName(FolderOfPath(m_strPath), static_cast<int>(m_nCounter)),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "AVI Files (*.avi)|*.avi|", this);
    if (dialog.DoModal() != IDOK) return;
    // An existing file is replaced only when a recording really starts there: the user may still
    // cancel this dialog or never record.
    m_strPath = dialog.GetPathName();
    m_bUserNamed = DiffersFromNumberedName(m_strPath);
    ShowMembers();
}

void CVideoSettingsDlg::OnOK() {
    if (!UpdateData(TRUE)) return;  // the validation message was shown; nothing is stored

    const CString folder = FolderOfPath(m_strPath);
    if (::GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) {
        if (m_pHost) m_pHost->SetDialogPause(true);
        MessageBox(
            "The specified save file path does not exist.\r\n\r\nPlease provide a valid media filename.",
            "BRENIK Orvello", MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        if (m_pHost) m_pHost->SetDialogPause(false);
        return;
    }

    const CString numbered = NumberedAviName(folder, static_cast<int>(m_nCounter));
    aviPath = numbered;
    aviPathChanged = 0;
    if (m_bUserNamed && m_strPath.CompareNoCase(numbered) != 0) {
        aviPath = m_strPath;
        aviPathChanged = 1;
    }
    WriteCounter(static_cast<int>(m_nCounter), CounterFilePath());
    EndDialog(IDOK);
}
