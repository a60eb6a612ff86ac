// CTimerShotSettingsDlg (template 135, "Settings"): the delay of the timer shot and the file it
// writes. OK stores timerShotSeconds and timerShotPath.
#pragma once

#include "framework/Dialog.h"
#include "framework/SpinButtonCtrl.h"
#include "monitor/controls/GradientButton.h"

class CTimerShotSettingsDlg : public CDialog {
  public:
    explicit CTimerShotSettingsDlg(CWnd* parent = nullptr);

    CString m_strPath;      // the still file
    int m_nPathChoice = 0;  // 0 same path (the program folder), 1 specified path
    UINT m_nSeconds = 5;    // 1 to 3600
    CSpinButtonCtrl m_spin;
    CGradientButton m_btnBrowse;
    CGradientButton m_btnOK;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter acts like the OK button, so typed values are never dropped behind an IDOK.
    void OnOK() override { OnOkButton(); }

    afx_msg void OnOkButton();
    afx_msg void OnSamePath();
    afx_msg void OnSpecifiedPath();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

  private:
    void EnablePathControls(BOOL enable);
    void ShowPath(const CString& path);
};

// The program folder + "\TimerCap.bmp": where the timer shot goes unless a file is chosen.
CString DefaultTimerShotPath();
