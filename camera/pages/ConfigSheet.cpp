#include "camera/pages/ConfigSheet.h"

CConfigSheet::CConfigSheet(LPCTSTR caption, PageHost& host)
    : CPropertySheet(caption, nullptr, 0), basicPage(host) {
    AddPage(&basicPage);
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_HASHELP);
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}
