// CAudioSettingsDlg (template 138, "Audio settings"): the master stream of a recording. Each radio
// click stores masterStream at once (255 none, 1 audio, 2 video), so closing without OK keeps it.
#pragma once

#include "framework/Dialog.h"
#include "monitor/controls/GradientButton.h"

class CAudioSettingsDlg : public CDialog {
  public:
    explicit CAudioSettingsDlg(CWnd* parent = nullptr);

    int m_nMasterStream = 1;  // radio group "None" 0, "Audio" 1, "Video" 2
    CGradientButton m_btnOK;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    afx_msg void OnNone();
    afx_msg void OnAudio();
    afx_msg void OnVideo();
    afx_msg void OnOkButton();
    DECLARE_MESSAGE_MAP()
};
