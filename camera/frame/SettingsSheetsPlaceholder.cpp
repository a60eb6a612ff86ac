// Stand-ins for the configuration and effects sheets until their pages exist: an empty modal
// sheet with the caption, so the commands can be tried; it changes nothing.
#include "camera/frame/SettingsSheets.h"

#include "framework/PropertySheet.h"

namespace {

INT_PTR RunEmptySheet(const std::wstring& title) {
    CPropertySheet sheet(title.c_str());
    sheet.m_psh.dwFlags &= ~static_cast<DWORD>(PSH_HASHELP);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.DoModal();
    return IDCANCEL;
}

}  // namespace

INT_PTR RunConfigSheet(const std::wstring& title) {
    return RunEmptySheet(title);
}

INT_PTR RunEffectSheet(const std::wstring& title) {
    return RunEmptySheet(title);
}
