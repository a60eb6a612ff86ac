// CBasicEftPage: the one page of the effects sheet (template 313). A photo frame from the Effects
// folder, an overlay text with its font, and the mosaic. Frame and mosaic reach the running picture
// as soon as they change, the text on "apply" (and on OK); OK stores all three in CameraSettings and
// the settings document, Cancel puts the stored effects back on the picture.
// While a page object exists CameraSettings.effectsPageOpen is 1 (the frame greys its frame-type
// commands meanwhile).
#pragma once

#include "camera/pages/PageHost.h"
#include "camera/settings/CharFormatRecord.h"
#include "framework/ComboBox.h"
#include "framework/PropertyPage.h"
#include "framework/RichEditCtrl.h"
#include "framework/SliderCtrl.h"
#include "framework/String.h"

class CBasicEftPage : public CPropertyPage {
  public:
    explicit CBasicEftPage(PageHost& host);
    ~CBasicEftPage() override;

    CComboBox frameList_;       // 1005
    CRichEditCtrl textBox_;     // 1034
    CSliderCtrl mosaicSlider_;  // 1037
    CString text_;              // the overlay text, exchanged with 1034
    CString frameName_;         // chosen photo frame, empty for none
    int mosaic_;                // slider position, 0..24
    CharFormatRecord charFormat_;
    CString title_;  // tab title from the language

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnFrameChanged();
    afx_msg void OnChooseFont();
    afx_msg void OnApplyText();
    afx_msg void OnVScroll(UINT code, UINT pos, CWnd* bar);
    DECLARE_MESSAGE_MAP()

  private:
    void FillFrameList();

    PageHost& host_;
};
