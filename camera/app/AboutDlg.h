// CAboutDlg: the About dialog (template 100), its texts from the language component.
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
  public:
    explicit CAboutDlg(CWnd* parent = nullptr) : CDialog(100, parent) {}
    BOOL OnInitDialog() override;
};
