#include "camera/pages/EffectSheet.h"

CEffectSheet::CEffectSheet(LPCTSTR caption, PageHost& host)
    : CPropertySheet(caption, nullptr, 0), effectsPage(host) {
    AddPage(&effectsPage);
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_HASHELP);
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
}
