#include "framework/PropertyPage.h"

#include "framework/PropertySheet.h"

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId), m_psp() {
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.pszTemplate = MAKEINTRESOURCE(templateId);
    if (captionId && m_strCaption.LoadString(captionId)) {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_INITDIALOG || FromHandlePermanent(wnd)) return FALSE;
    auto* psp = reinterpret_cast<PROPSHEETPAGE*>(lParam);
    auto* self = reinterpret_cast<CPropertyPage*>(psp->lParam);
    self->Attach(wnd);
    self->HookProcedure();
    return static_cast<INT_PTR>(self->Dispatch(message, wParam, lParam));
}

void CPropertyPage::SetModified(BOOL changed) {
    if (!m_hWnd) return;
    HWND sheet = ::GetParent(m_hWnd);
    ::SendMessage(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    switch (nm->code) {
        case PSN_SETACTIVE:
            *result = OnSetActive() ? 0 : -1;
            break;
        case PSN_KILLACTIVE:
            *result = OnKillActive() ? FALSE : TRUE;
            break;
        case PSN_APPLY:
            if (!OnApply()) {
                *result = PSNRET_INVALID_NOCHANGEPAGE;
                break;
            }
            if (m_pSheet && reinterpret_cast<PSHNOTIFY*>(lParam)->lParam) m_pSheet->m_bOkPressed = true;
            *result = PSNRET_NOERROR;
            break;
        case PSN_RESET:
            OnReset();
            *result = 0;
            break;
        case PSN_QUERYCANCEL:
            *result = OnQueryCancel() ? FALSE : TRUE;
            break;
        default:
            return CDialog::OnNotify(wParam, lParam, result);
    }
    // The sheet reads the answer from the dialog's result slot.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *result);
    return TRUE;
}
