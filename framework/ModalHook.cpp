#include "framework/ModalHook.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

#include <utility>

namespace {
fw::ModalHook* g_hook = nullptr;
}

fw::ModalHook* fw::SetModalHook(ModalHook* hook) {
    return std::exchange(g_hook, hook);
}

fw::ModalHook* fw::GetModalHook() {
    return g_hook;
}

int fw::ShowMessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) {
    CString title = caption ? CString(caption) : AfxGetAppTitle();
    if (g_hook) return g_hook->OnMessageBox(MessageBoxCall{owner, CString(text), title, type});
    return ::MessageBox(owner, text, title, type);
}

bool fw::PressButton(CWnd& dialog, int id) {
    HWND control = ::GetDlgItem(dialog.m_hWnd, id);
    if (control && (!::IsWindowEnabled(control) || !(::GetWindowLongPtr(control, GWL_STYLE) & WS_VISIBLE)))
        return false;
    ::SendMessage(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(id, control ? BN_CLICKED : 0),
                  reinterpret_cast<LPARAM>(control));
    return true;
}

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    CWnd* main = AfxGetMainWnd();
    HWND owner = main && main->m_hWnd ? main->m_hWnd : ::GetActiveWindow();
    return fw::ShowMessageBox(owner, text, nullptr, type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    CString text;
    text.LoadString(promptId);
    return AfxMessageBox(text, type, helpId);
}
