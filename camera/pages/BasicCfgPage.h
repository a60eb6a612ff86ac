// CBasicCfgPage: the one page of the configuration sheet (template 310). Output and photo size,
// flips, anti-flicker frequency, zoom and album folder. Flips, frequency and zoom reach the running
// picture at once; OK stores every choice in CameraSettings and the settings document, Cancel takes
// the flips and the zoom back (the camera keeps the frequency until the graph starts again).
#pragma once

#include "camera/pages/PageHost.h"
#include "framework/Button.h"
#include "framework/PropertyPage.h"
#include "framework/String.h"

class CBasicCfgPage : public CPropertyPage {
  public:
    explicit CBasicCfgPage(PageHost& host);

    int displaySize_;      // combo box 1007, by index
    int photoSize_;        // combo box 1003, by index
    CString albumFolder_;  // edit 1004
    int frequency_;        // radio group 1038: 0 = 50 Hz, 1 = 60 Hz
    int zoom_;             // radio group 1040: 0..3 = 1x..4x
    int reversalH_;        // check box 1032
    int reversalV_;        // check box 1033
    CString title_;        // tab title from the language
    CButton reversalHBox_;
    CButton reversalVBox_;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnChooseFolder();
    afx_msg void OnReversalH();
    afx_msg void OnReversalV();
    afx_msg void OnFrequency(UINT id);
    afx_msg void OnZoom(UINT id);
    DECLARE_MESSAGE_MAP()

  private:
    PageHost& host_;
};
