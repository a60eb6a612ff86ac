#include "framework/Dialog.h"

#include "framework/ModalHook.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, &CDialog::HandleInitDialog)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

INT_PTR CALLBACK CDialog::DialogProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Until WM_INITDIALOG the object is not bound; from then on the window's messages reach
    // CWnd::WndProc first and this procedure only sees what falls through to the default.
    if (message != WM_INITDIALOG || FromHandlePermanent(wnd)) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    self->Attach(wnd);
    self->HookProcedure();
    return static_cast<INT_PTR>(self->Dispatch(message, wParam, lParam));
}

HWND CDialog::FindModalOwner() const {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main && main->m_hWnd ? main->m_hWnd : ::GetActiveWindow();
    }
    if (owner && (::GetWindowLongPtr(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetAncestor(owner, GA_ROOT);
    return owner;
}

INT_PTR CDialog::DoModal() {
    HWND owner = FindModalOwner();
    m_nModalResult = -1;
    m_bEnded = false;
    m_bInModal = true;
    HWND wnd = ::CreateDialogParam(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDTemplate), owner,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (!wnd) {
        ::OutputDebugString(_T("framework: dialog template could not be created\n"));
        m_bInModal = false;
        return -1;
    }
    bool ownerDisabled = owner && ::IsWindowEnabled(owner) && !::EnableWindow(owner, FALSE);
    ::fw::ModalHook* hook = ::fw::GetModalHook();
    if (!m_bEnded && m_hWnd && !hook) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    if (hook) {
        if (!m_bEnded && m_hWnd) hook->OnDialog(*this);
        if (!m_bEnded && m_hWnd) EndDialog(IDCANCEL);
    } else {
        RunModalLoop();
    }

    if (ownerDisabled) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        if (owner && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        ::DestroyWindow(m_hWnd);
    }
    m_bInModal = false;
    if (hook) hook->OnModalEnded(*this, m_nModalResult);
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (!m_bEnded && m_hWnd) {
        BOOL got = ::GetMessage(&msg, nullptr, 0, 0);
        if (got == 0) {
            // A quit request ends the modal run and stays pending for the caller's loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!::fw::PreTranslate(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    HWND wnd = ::CreateDialogParam(AfxGetResourceHandle(), MAKEINTRESOURCE(templateId),
                                   parent ? parent->m_hWnd : nullptr, &CDialog::DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    return wnd != nullptr;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEnded = true;
    if (!m_bInModal) {
        DestroyWindow();
        return;
    }
    if (m_hWnd) ::PostMessage(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    ExecuteDlgInit();
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    return m_hWnd && ::IsDialogMessage(m_hWnd, msg);
}

void CDialog::GotoDlgCtrl(CWnd* control) const {
    if (control && control->m_hWnd)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

void CDialog::ExecuteDlgInit() {
    // Layout of type 240: repeated { WORD control id; WORD message; DWORD length; BYTE text[length] },
    // ended by a zero id. The message is CB_ADDSTRING or LB_ADDSTRING (also their 16-bit numbers
    // 0x403 and 0x401); the text is UTF-8 with its terminating zero.
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC info = ::FindResource(instance, MAKEINTRESOURCE(m_nIDTemplate), MAKEINTRESOURCE(240));
    if (!info) return;
    HGLOBAL handle = ::LoadResource(instance, info);
    const BYTE* data = handle ? static_cast<const BYTE*>(::LockResource(handle)) : nullptr;
    DWORD size = ::SizeofResource(instance, info);
    if (!data) return;
    DWORD pos = 0;
    while (pos + 8 <= size) {
        WORD id = static_cast<WORD>(data[pos] | (data[pos + 1] << 8));
        if (id == 0) break;
        WORD message = static_cast<WORD>(data[pos + 2] | (data[pos + 3] << 8));
        DWORD length = data[pos + 4] | (data[pos + 5] << 8) | (data[pos + 6] << 16) |
                       (static_cast<DWORD>(data[pos + 7]) << 24);
        pos += 8;
        if (length > size - pos) break;
        std::string utf8(reinterpret_cast<const char*>(data + pos), length);
        pos += length;
        utf8 = utf8.c_str();  // up to the terminating zero
        int wide = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
        std::wstring text(static_cast<size_t>(wide > 0 ? wide : 1), L'\0');
        if (wide > 0) ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &text[0], wide);
        CString item(text.c_str());
        UINT add = (message == 0x403 || message == CB_ADDSTRING)   ? CB_ADDSTRING
                   : (message == 0x401 || message == LB_ADDSTRING) ? LB_ADDSTRING
                                                                   : 0;
        if (add) SendDlgItemMessage(id, add, 0, reinterpret_cast<LPARAM>(item.GetString()));
    }
}
