// CMonitorSettingsDlg (template 256, "Monitor Settings"): what the motion pipeline does when it
// sees motion (scan the object, store a still, sound the alarm), the still's folder and the alarm
// sound, with a 3.5 s preview of the sound. OK stores motionMode and, with the capture check,
// motionStillPath; Browse, the alarm check and Play change motionStillPath / alarmSoundPath at once.
#pragma once

#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "monitor/controls/GradientButton.h"
#include "monitor/dialogs/MonitorDialogHost.h"

class CMonitorSettingsDlg : public CDialog {
  public:
    // `host` is the main window, which owns the alarm preview player.
    CMonitorSettingsDlg(CWnd* parent, IMonitorDialogHost* host);

    // Timer that ends a sound preview, and its period.
    static constexpr UINT_PTR kPreviewTimer = 10;
    static constexpr UINT kPreviewMillis = 3500;

    bool m_bPlaying = false;      // a sound preview runs
    int m_nDetection = -1;        // hidden radio group 1053; 1 once a mode with actions was shown
    int m_nTracking = 2;          // hidden radio group 1055
    int m_bAlarm = 0;             // 1058
    int m_bScan = 0;              // 1057
    CString m_strStillPath;       // 1061
    int m_bCapture = 0;           // 1064
    CComboBox m_soundList;        // 1062
    CGradientButton m_btnPlay;    // 1059
    CGradientButton m_btnOK;      // 1060
    CGradientButton m_btnBrowse;  // 1027

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter acts like the OK button, so the chosen actions are never dropped behind an IDOK.
    void OnOK() override { OnOkButton(); }

    afx_msg void OnOkButton();
    afx_msg void OnScan();
    afx_msg void OnCapture();
    afx_msg void OnAlarm();
    afx_msg void OnBrowse();
    afx_msg void OnPlay();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

  private:
    IMonitorDialogHost* m_pHost;

    void ShowMode(int mode);
    void Enable(int id, BOOL enable) const;
    void SetAlarmSoundFromList() const;
    void EndPreview();
};

// The program folder + "\Alarm\<index>.wav".
CString AlarmSoundFile(int index);
