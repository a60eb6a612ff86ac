// CCompanyDlg: the manufacturer dialog (template 315); nothing beyond its OK button.
#pragma once

#include "framework/Dialog.h"

class CCompanyDlg : public CDialog {
  public:
    explicit CCompanyDlg(CWnd* parent = nullptr) : CDialog(315, parent) {}
};
