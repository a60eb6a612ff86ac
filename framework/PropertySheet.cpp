#include "framework/PropertySheet.h"

#include "framework/ModalHook.h"
#include "framework/PropertyPage.h"
#include "framework/WinApp.h"

#include <utility>

namespace {
CPropertySheet* g_creatingSheet = nullptr;
}

CPropertySheet::CPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : m_psh(), m_pParentWnd(parent) {
    m_strCaption = caption;
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_HASHELP;
    m_psh.nStartPage = selectPage;
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_pages.push_back(page);
}

void CPropertySheet::SetTitle(LPCTSTR title) {
    m_strCaption = title;
    if (m_hWnd) ::SendMessage(m_hWnd, PSM_SETTITLE, 0, reinterpret_cast<LPARAM>(m_strCaption.GetString()));
}

CPropertyPage* CPropertySheet::GetActivePage() const {
    if (!m_hWnd)
        return m_pages.empty() ? nullptr : m_pages[m_psh.nStartPage < m_pages.size() ? m_psh.nStartPage : 0];
    auto page = reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (CPropertyPage* p : m_pages) {
        if (p->m_hWnd && p->m_hWnd == page) return p;
    }
    return nullptr;
}

int CPropertySheet::GetActiveIndex() const {
    CPropertyPage* active = GetActivePage();
    for (size_t i = 0; i < m_pages.size(); ++i) {
        if (m_pages[i] == active) return static_cast<int>(i);
    }
    return -1;
}

BOOL CPropertySheet::SetActivePage(int index) const {
    if (!m_hWnd) return FALSE;
    return static_cast<BOOL>(::SendMessage(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0));
}

int CALLBACK CPropertySheet::SheetCallback(HWND wnd, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE && lParam && ::fw::GetModalHook()) {
        // Driven by a test hook: the sheet need not appear on the screen.
        auto* words = reinterpret_cast<WORD*>(lParam);
        bool extended = words[1] == 0xFFFF;
        auto* style = reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(lParam) + (extended ? 12 : 0));
        *style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    if (message == PSCB_INITIALIZED && g_creatingSheet) {
        CPropertySheet* sheet = std::exchange(g_creatingSheet, nullptr);
        sheet->Attach(wnd);
        sheet->HookProcedure();
        sheet->OnInitDialog();
    }
    return 0;
}

void CPropertySheet::PressButton(int button) const {
    if (m_hWnd) ::SendMessage(m_hWnd, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
}

bool CPropertySheet::IsEnded() const {
    return !m_hWnd || ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == 0;
}

INT_PTR CPropertySheet::DoModal() {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main && main->m_hWnd ? main->m_hWnd : ::GetActiveWindow();
    }
    if (owner && (::GetWindowLongPtr(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetAncestor(owner, GA_ROOT);

    m_built.clear();
    for (CPropertyPage* page : m_pages) {
        PROPSHEETPAGE psp = page->m_psp;
        psp.hInstance = AfxGetResourceHandle();
        psp.pfnDlgProc = &CPropertyPage::PageProc;
        psp.lParam = reinterpret_cast<LPARAM>(page);
        page->m_pSheet = this;
        m_built.push_back(psp);
    }
    PROPSHEETHEADER psh = m_psh;
    psh.hwndParent = owner;
    psh.hInstance = AfxGetResourceHandle();
    psh.pszCaption = m_strCaption;
    psh.nPages = static_cast<UINT>(m_built.size());
    psh.ppsp = m_built.data();
    psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_MODELESS;
    psh.pfnCallback = &CPropertySheet::SheetCallback;

    m_bOkPressed = false;
    g_creatingSheet = this;
    auto wnd = reinterpret_cast<HWND>(::PropertySheet(&psh));
    g_creatingSheet = nullptr;
    if (!wnd || wnd == reinterpret_cast<HWND>(-1)) {
        ::OutputDebugString(_T("framework: property sheet could not be created\n"));
        return -1;
    }
    if (!m_hWnd) Attach(wnd);  // no callback came: still keep the handle
    bool ownerDisabled = owner && ::IsWindowEnabled(owner) && !::EnableWindow(owner, FALSE);

    ::fw::ModalHook* hook = ::fw::GetModalHook();
    if (hook) {
        hook->OnPropertySheet(*this);
        if (!IsEnded()) PressButton(PSBTN_CANCEL);
    } else {
        RunModalLoop();
    }
    INT_PTR result = m_bOkPressed ? IDOK : IDCANCEL;

    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
        ::DestroyWindow(m_hWnd);
    }
    if (m_hWnd) Detach();
    for (CPropertyPage* page : m_pages) page->m_pSheet = nullptr;
    if (hook) hook->OnModalEnded(*this, result);
    return result;
}

void CPropertySheet::RunModalLoop() {
    MSG msg;
    while (!IsEnded()) {
        BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (::fw::PreTranslate(&msg)) continue;
        if (::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg))) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}
