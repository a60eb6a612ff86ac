#include "monitor/dialogs/MonitorSettingsDlg.h"

#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/DialogIcon.h"
#include "monitor/dialogs/DialogIds.h"

namespace {

// The alarm sounds in list order; the index is also the file's number.
const char* const kSoundNames[] = {"car alarm",       "police siren",       "smurf invasion", "barking dog",
                                   "system overload", "system malfunction", "jail break"};

// Weights of the motion actions; motionMode is their sum.
constexpr int kScanWeight = 2;
constexpr int kAlarmWeight = 3;
constexpr int kStillWeight = 4;

bool HasScan(int mode) {
    return mode == 2 || mode == 5 || mode == 6 || mode == 9;
}
bool HasAlarm(int mode) {
    return mode == 3 || mode == 5 || mode == 7 || mode == 9;
}
bool HasStill(int mode) {
    return mode == 4 || mode == 6 || mode == 7 || mode == 9;
}

}  // namespace

CString AlarmSoundFile(int index) {
    CString name;
    name.Format("\\Alarm\\%d.wav", index);
    return ProgramFolder() + name;
}

BEGIN_MESSAGE_MAP(CMonitorSettingsDlg, CDialog)
ON_BN_CLICKED(IDC_MS_OK, &CMonitorSettingsDlg::OnOkButton)
ON_BN_CLICKED(IDC_MS_SCAN, &CMonitorSettingsDlg::OnScan)
ON_BN_CLICKED(IDC_MS_CAPTURE, &CMonitorSettingsDlg::OnCapture)
ON_BN_CLICKED(IDC_MS_ALARM, &CMonitorSettingsDlg::OnAlarm)
ON_BN_CLICKED(IDC_MS_BROWSE, &CMonitorSettingsDlg::OnBrowse)
ON_BN_CLICKED(IDC_MS_PLAY, &CMonitorSettingsDlg::OnPlay)
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMonitorSettingsDlg::CMonitorSettingsDlg(CWnd* parent, IMonitorDialogHost* host)
    : CDialog(IDD_MONITOR_SETTINGS, parent), m_pHost(host) {}

void CMonitorSettingsDlg::DoDataExchange(CDataExchange* dx) {
    DDX_Control(dx, IDC_MS_SOUND_LIST, m_soundList);
    DDX_Control(dx, IDC_MS_PLAY, m_btnPlay);
    DDX_Control(dx, IDC_MS_OK, m_btnOK);
    DDX_Control(dx, IDC_MS_BROWSE, m_btnBrowse);
    DDX_Radio(dx, IDC_MS_MOTION_TRACKING, m_nDetection);
    DDX_Radio(dx, IDC_MS_ZOOM_MODE, m_nTracking);
    DDX_Check(dx, IDC_MS_ALARM, m_bAlarm);
    DDX_Check(dx, IDC_MS_SCAN, m_bScan);
    DDX_Text(dx, IDC_MS_STILL_PATH, m_strStillPath);
    DDX_Check(dx, IDC_MS_CAPTURE, m_bCapture);
}

BOOL CMonitorSettingsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetProgramIcon(*this);

    // Inserted by index: the list keeps this order although the box sorts added strings.
    for (int i = 0; i < 7; ++i) m_soundList.InsertString(i, kSoundNames[i]);
    m_soundList.SetCurSel(0);

    if (!motionStillPath.IsEmpty()) {
        m_strStillPath = motionStillPath;
    } else {
        SYSTEMTIME now = {};
        ::GetLocalTime(&now);
        CString name;
        name.Format("\\MOTION[%02d-%02d-%02d].bmp", now.wHour, now.wMinute, now.wSecond);
        m_strStillPath = ProgramFolder() + name;
    }

    ShowMode(motionMode & 0xFF);
    UpdateData(FALSE);
    return TRUE;
}

void CMonitorSettingsDlg::Enable(int id, BOOL enable) const {
    if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CMonitorSettingsDlg::ShowMode(int mode) {
    Enable(IDC_MS_SOUND_LIST, FALSE);
    Enable(IDC_MS_PLAY, FALSE);
    Enable(IDC_MS_BROWSE, FALSE);
    Enable(IDC_MS_STILL_PATH, FALSE);
    const auto enableChecks = [this] {
        Enable(IDC_MS_SCAN, TRUE);
        Enable(IDC_MS_CAPTURE, TRUE);
        Enable(IDC_MS_ALARM, TRUE);
    };
    if (HasScan(mode)) {
        m_bScan = 1;
        m_nDetection = 1;
        enableChecks();
    }
    if (HasAlarm(mode)) {
        m_bAlarm = 1;
        m_nDetection = 1;
        enableChecks();
        Enable(IDC_MS_SOUND_LIST, TRUE);
        Enable(IDC_MS_PLAY, TRUE);
    }
    if (HasStill(mode)) {
        m_bCapture = 1;
        m_nDetection = 1;
        enableChecks();
        Enable(IDC_MS_BROWSE, TRUE);
        Enable(IDC_MS_STILL_PATH, TRUE);
    }
}

void CMonitorSettingsDlg::SetAlarmSoundFromList() const {
    alarmSoundPath = AlarmSoundFile(m_soundList.GetCurSel());
}

void CMonitorSettingsDlg::OnScan() {
    UpdateData(TRUE);
}

void CMonitorSettingsDlg::OnCapture() {
    UpdateData(TRUE);
    const BOOL enable = m_bCapture ? TRUE : FALSE;
    Enable(IDC_MS_BROWSE, enable);
    Enable(IDC_MS_STILL_PATH, enable);
}

void CMonitorSettingsDlg::OnAlarm() {
    UpdateData(TRUE);
    if (!m_bAlarm) {
        Enable(IDC_MS_SOUND_LIST, FALSE);
        Enable(IDC_MS_PLAY, FALSE);
        return;
    }
    Enable(IDC_MS_SOUND_LIST, TRUE);
    Enable(IDC_MS_PLAY, TRUE);
    SetAlarmSoundFromList();
}

void CMonitorSettingsDlg::OnBrowse() {
    CFileDialog dialog(FALSE, "*.bmp", m_strStillPath, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "BMP Files (*.bmp)|*.bmp|", this);
    if (dialog.DoModal() != IDOK) return;
    // Only the chosen file's folder receives motion stills, under names of their own: the chosen
    // file itself is never written, so an existing one is left alone.
    m_strStillPath = dialog.GetPathName();
    motionStillPath = m_strStillPath;
    UpdateData(FALSE);
}

void CMonitorSettingsDlg::OnPlay() {
    if (m_bPlaying) {
        EndPreview();
        return;
    }
    SetAlarmSoundFromList();
    if (m_pHost) {
        m_pHost->OpenAlarmPreview();
        m_pHost->PlayAlarmPreview();
    }
    m_btnPlay.SetWindowText("Stop");
    SetTimer(kPreviewTimer, kPreviewMillis);
    m_bPlaying = true;
}

void CMonitorSettingsDlg::EndPreview() {
    KillTimer(kPreviewTimer);
    if (m_pHost) m_pHost->StopAlarmPreview();
    m_btnPlay.SetWindowText("Play");
    m_bPlaying = false;
}

void CMonitorSettingsDlg::OnTimer(UINT_PTR id) {
    if (id == kPreviewTimer) EndPreview();
    CDialog::OnTimer(id);
}

void CMonitorSettingsDlg::OnOkButton() {
    if (!UpdateData(TRUE)) return;
    motionMode = static_cast<BYTE>((m_bScan ? kScanWeight : 0) + (m_bCapture ? kStillWeight : 0) +
                                   (m_bAlarm ? kAlarmWeight : 0));
    if (m_bCapture) motionStillPath = m_strStillPath;
    KillTimer(kPreviewTimer);
    if (m_pHost) m_pHost->StopAlarmPreview();
    EndDialog(IDOK);
}

void CMonitorSettingsDlg::OnDestroy() {
    CDialog::OnDestroy();
    KillTimer(kPreviewTimer);
    if (m_pHost) m_pHost->StopAlarmPreview();
}
