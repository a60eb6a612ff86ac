#include "camera/app/AboutDlg.h"

#include "camera/libs/PelUtility/PelLang.h"

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CPelLang::GetInstance()->SetDialogStrings(m_hWnd, 100);
    return TRUE;
}
