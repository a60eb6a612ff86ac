// The About box (template 100): program name, a credit line kept scrambled in the program, and a
// hidden picture that four left clicks and a right press uncover.
#pragma once

#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "monitor/app/AboutBox.h"
#include "monitor/controls/GradientButton.h"

class CAboutDlg : public CDialog {
  public:
    explicit CAboutDlg(CWnd* parent = nullptr);

    // True while the hidden picture is painted.
    bool IsPictureShown() const { return m_clicks.Count() == 6; }
    BYTE ClickCount() const { return m_clicks.Count(); }

    CGradientButton m_btnOk;  // IDOK

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

  private:
    void PaintPicture();

    about::ClickSequence m_clicks;
};
