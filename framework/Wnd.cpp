#include "framework/Wnd.h"

#include <memory>
#include <set>
#include <unordered_map>
#include <utility>

#include "framework/DataExchange.h"
#include "framework/ModalHook.h"

namespace {

// All window objects live on the one window thread of the process.
std::unordered_map<HWND, CWnd*>& PermanentMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

std::unordered_map<HWND, std::unique_ptr<CWnd>>& TemporaryMap() {
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

struct CurrentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
CurrentMessage g_current;

// The object whose window CreateEx is creating right now, and the hook that binds it.
CWnd* g_creating = nullptr;
HHOOK g_cbtHook = nullptr;

}  // namespace

CWnd* fw::WndFromHandle(HWND wnd) {
    return CWnd::FromHandle(wnd);
}

CWnd::~CWnd() {
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        HWND wnd = m_hWnd;
        bool destroy = m_bCreatedHere;
        UnsubclassWindow();
        if (destroy) ::DestroyWindow(wnd);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND wnd) {
    auto it = PermanentMap().find(wnd);
    return it == PermanentMap().end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND wnd) {
    if (!wnd) return nullptr;
    if (CWnd* permanent = FromHandlePermanent(wnd)) return permanent;
    auto& temps = TemporaryMap();
    auto it = temps.find(wnd);
    if (it != temps.end()) return it->second.get();
    if (temps.size() > 64) {  // forget wrappers of windows that no longer exist
        for (auto t = temps.begin(); t != temps.end();)
            t = ::IsWindow(t->first) ? std::next(t) : temps.erase(t);
    }
    auto wrapper = std::make_unique<CWnd>();
    wrapper->m_hWnd = wnd;
    CWnd* result = wrapper.get();
    temps.emplace(wnd, std::move(wrapper));
    return result;
}

void CWnd::BindHandle(HWND wnd) {
    m_hWnd = wnd;
    PermanentMap()[wnd] = this;
    TemporaryMap().erase(wnd);
}

void CWnd::UnbindHandle() {
    if (m_hWnd) PermanentMap().erase(m_hWnd);
    m_hWnd = nullptr;
}

BOOL CWnd::Attach(HWND wnd) {
    if (!wnd || m_hWnd || FromHandlePermanent(wnd)) return FALSE;
    BindHandle(wnd);
    return TRUE;
}

HWND CWnd::Detach() {
    HWND wnd = m_hWnd;
    UnbindHandle();
    return wnd;
}

void CWnd::HookProcedure() {
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
    m_pfnSuper = old == &CWnd::WndProc ? nullptr : old;
}

BOOL CWnd::SubclassWindow(HWND wnd) {
    if (!Attach(wnd)) return FALSE;
    PreSubclassWindow();
    HookProcedure();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    HWND child = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return child && SubclassWindow(child);
}

HWND CWnd::UnsubclassWindow() {
    if (m_pfnSuper && m_hWnd)
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    m_bCreatedHere = false;
    return Detach();
}

LRESULT CALLBACK CWnd::CbtCreateHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_creating) {
        CWnd* wnd = std::exchange(g_creating, nullptr);
        wnd->BindHandle(reinterpret_cast<HWND>(wParam));
        wnd->HookProcedure();
    }
    return ::CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor, HBRUSH background, HICON icon) {
    static std::set<CString> registered;
    CString name;
    name.Format(_T("Fw:%x:%p:%p:%p"), classStyle, static_cast<void*>(cursor), static_cast<void*>(background),
                static_cast<void*>(icon));
    auto it = registered.find(name);
    if (it != registered.end()) return *it;
    WNDCLASSEX wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &CWnd::WndProc;
    wc.hInstance = ::GetModuleHandle(nullptr);
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.lpszClassName = name;
    if (!::RegisterClassEx(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        ::OutputDebugString(_T("framework: RegisterClassEx failed\n"));
    }
    return *registered.insert(name).first;
}

LPCTSTR CWnd::DefaultClassName() {
    static LPCTSTR name = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return name;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) cs.lpszClass = DefaultClassName();
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menuOrId, LPVOID param) {
    if (m_hWnd) return FALSE;
    CREATESTRUCT cs = {};
    cs.dwExStyle = exStyle;
    cs.lpszClass = className;
    cs.lpszName = windowName;
    cs.style = static_cast<LONG>(style);
    cs.x = x;
    cs.y = y;
    cs.cx = width;
    cs.cy = height;
    cs.hwndParent = parent;
    cs.hMenu = menuOrId;
    cs.hInstance = ::GetModuleHandle(nullptr);
    cs.lpCreateParams = param;
    if (!PreCreateWindow(cs)) return FALSE;

    // The hook binds this object to the window before its first message, whatever its class.
    g_creating = this;
    g_cbtHook = ::SetWindowsHookEx(WH_CBT, &CWnd::CbtCreateHook, nullptr, ::GetCurrentThreadId());
    HWND wnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                                cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    ::UnhookWindowsHookEx(g_cbtHook);
    g_cbtHook = nullptr;
    g_creating = nullptr;
    if (!wnd) {
        ::OutputDebugString(_T("framework: CreateWindowEx failed\n"));
        return FALSE;
    }
    m_bCreatedHere = true;
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID context) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), context);
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

LRESULT CALLBACK CWnd::WndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* target = FromHandlePermanent(wnd);
    if (!target) return ::DefWindowProc(wnd, message, wParam, lParam);
    return target->Dispatch(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMessage saved = g_current;
    g_current = {message, wParam, lParam};
    LRESULT result = WindowProc(message, wParam, lParam);
    g_current = saved;
    if (message == WM_NCDESTROY) {
        // The window is gone: forget it, then let the object finish (frames delete themselves).
        m_pfnSuper = nullptr;
        m_bCreatedHere = false;
        UnbindHandle();
        PostNcDestroy();
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam);
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* control = FromHandlePermanent(child);
    LRESULT ignored = 0;
    return control && control->OnChildNotify(message, wParam, lParam, result ? result : &ignored);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        ::fw::MsgArgs args{message, LOWORD(wParam), lParam, 0};
        return DispatchEntry(::fw::EntryKind::ReflectCommand, HIWORD(wParam), LOWORD(wParam), args);
    }
    if (message == WM_NOTIFY) {
        auto* nm = reinterpret_cast<NMHDR*>(lParam);
        ::fw::MsgArgs args{message, wParam, lParam, 0};
        if (!DispatchEntry(::fw::EntryKind::ReflectNotify, nm->code, static_cast<UINT>(nm->idFrom), args))
            return FALSE;
        *result = args.result;
        return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *result = 0;
        return TRUE;
    }
    if (message == WM_NOTIFY) return OnNotify(wParam, lParam, result);

    ::fw::MsgArgs args{message, wParam, lParam, 0};
    if (DispatchMessageEntry(args)) {
        *result = args.result;
        return TRUE;
    }
    // Unhandled owner-draw, colour and scroll messages go back to the control that sent them.
    if (message == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        return dis->CtlType != ODT_MENU && ReflectToChild(dis->hwndItem, message, wParam, lParam, result);
    }
    if ((message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_HSCROLL ||
        message == WM_VSCROLL) {
        return lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), message, wParam, lParam, result);
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    if (control && ReflectToChild(control, WM_COMMAND, wParam, lParam, nullptr)) return TRUE;
    int code = control ? HIWORD(wParam) : CN_COMMAND;  // menus and accelerators are plain commands
    return OnCmdMsg(id, code, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->hwndFrom && nm->hwndFrom != m_hWnd &&
        ReflectToChild(nm->hwndFrom, WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    ::fw::MsgArgs args{WM_NOTIFY, wParam, lParam, 0};
    if (!DispatchEntry(::fw::EntryKind::Notify, nm->code, static_cast<UINT>(nm->idFrom), args)) return FALSE;
    *result = args.result;
    return TRUE;
}

void CWnd::OnDrawItem(int id, LPDRAWITEMSTRUCT dis) {
    LRESULT result = 0;
    if (dis->CtlType != ODT_MENU &&
        ReflectToChild(dis->hwndItem, WM_DRAWITEM, id, reinterpret_cast<LPARAM>(dis), &result))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(HDC dc, CWnd* wnd, UINT ctlType) {
    LRESULT result = 0;
    if (wnd && ReflectToChild(wnd->m_hWnd, g_current.message, g_current.wParam, g_current.lParam, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = GetStyle();
    DWORD updated = (style & ~remove) | add;
    if (style == updated) return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(updated));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = GetExStyle();
    DWORD updated = (style & ~remove) | add;
    if (style == updated) return FALSE;
    ::SetWindowLongPtr(m_hWnd, GWL_EXSTYLE, static_cast<LONG_PTR>(updated));
    if (swpFlags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

void CWnd::ClientToScreen(LPRECT r) const {
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::ScreenToClient(LPRECT r) const {
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&r->right));
}

void CWnd::CenterWindow(CWnd* alternateOwner) const {
    RECT area;
    HWND around = alternateOwner
                      ? alternateOwner->m_hWnd
                      : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (GetStyle() & WS_CHILD) {
        ::GetClientRect(::GetParent(m_hWnd), &area);
    } else if (around && ::IsWindowVisible(around) && !::IsIconic(around)) {
        ::GetWindowRect(around, &area);
    } else {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT self;
    ::GetWindowRect(m_hWnd, &self);
    int width = self.right - self.left, height = self.bottom - self.top;
    int x = (area.left + area.right - width) / 2, y = (area.top + area.bottom - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::GetWindowText(CString& text) const {
    int length = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, text.GetBufferSetLength(length + 1), length + 1);
    text.ReleaseBuffer();
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (HWND item = ::GetDlgItem(m_hWnd, id)) FromHandle(item)->GetWindowText(text);
    return text.GetLength();
}

int CWnd::MessageBox(LPCTSTR text, LPCTSTR caption, UINT type) const {
    return ::fw::ShowMessageBox(m_hWnd, text, caption, type);
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    if (saveAndValidate && m_bShowingData) return TRUE;
    bool wasShowing = std::exchange(m_bShowingData, m_bShowingData || !saveAndValidate);
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    m_bShowingData = wasShowing;
    return dx.Finish();
}
