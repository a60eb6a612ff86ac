#include "monitor/shell/SystemTray.h"

#include <cstring>

#include "framework/WinApp.h"

namespace {

const UINT g_taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
const UINT g_trayNotify = ::RegisterWindowMessageA("CSystemTray::TrayNotify");

CSystemTray::ShellNotifyFn g_shellNotify = nullptr;

// The size of the notify record the icon is given with (up to the balloon's icon flags): 488 bytes
// in the 32-bit program, 504 with the 64-bit handles and their alignment.
constexpr DWORD kNotifyDataSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(kNotifyDataSize == (sizeof(void*) == 8 ? 504 : 488), "the notify record ends after dwInfoFlags");

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

// Copies at most size - 1 bytes of `text` and terminates; never splits a double-byte character.
void CopyCut(char* target, LPCSTR text, size_t size) {
    size_t length = 0;
    if (text) {
        while (text[length] != '\0') {
            const size_t step =
                (::IsDBCSLeadByte(static_cast<BYTE>(text[length])) && text[length + 1]) ? 2 : 1;
            if (length + step > size - 1) break;
            length += step;
        }
        std::memcpy(target, text, length);
    }
    target[length] = '\0';
}

bool DetectNewShell() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion > 4;
}

// The invisible window that windows in the tray are parented to. Its class calls DefWindowProc
// directly, so destroying it at program exit needs nothing else to be alive.
struct HolderWindow {
    HWND wnd = nullptr;
    ~HolderWindow() {
        if (wnd && ::IsWindow(wnd)) ::DestroyWindow(wnd);
    }
    HWND Get() {
        if (wnd && ::IsWindow(wnd)) return wnd;
        static const char kClass[] = "OrvelloTrayHolder";
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            ::OutputDebugStringA("CSystemTray: the holder window class could not be registered\n");
        }
        wnd = ::CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        if (!wnd) ::OutputDebugStringA("CSystemTray: the holder window could not be created\n");
        return wnd;
    }
};
HolderWindow g_holder;

}  // namespace

BEGIN_MESSAGE_MAP(CSystemTray, CWnd)
ON_REGISTERED_MESSAGE(g_taskbarCreated, &CSystemTray::OnTaskbarCreated)
ON_MESSAGE(WM_SETTINGCHANGE, &CSystemTray::OnSettingChange)
END_MESSAGE_MAP()

CSystemTray::ShellNotifyFn CSystemTray::SetShellNotify(ShellNotifyFn notify) {
    ShellNotifyFn old = g_shellNotify;
    g_shellNotify = notify;
    return old;
}

UINT CSystemTray::TaskbarCreatedMessage() {
    return g_taskbarCreated;
}

HWND CSystemTray::GetHolderWindow() {
    return g_holder.wnd && ::IsWindow(g_holder.wnd) ? g_holder.wnd : nullptr;
}

CSystemTray::CSystemTray() : m_bNewShell(DetectNewShell()) {
    std::memset(&m_nid, 0, sizeof m_nid);
    m_nid.cbSize = kNotifyDataSize;
}

CSystemTray::~CSystemTray() {
    if (m_hWnd) {
        DestroyWindow();
    } else {
        RemoveTrayIcon();
    }
}

BOOL CSystemTray::Notify(DWORD message) {
    return (g_shellNotify ? g_shellNotify : &::Shell_NotifyIconA)(message, &m_nid);
}

HMENU CSystemTray::FirstPopup() const {
    return m_menu ? ::GetSubMenu(m_menu.Get(), 0) : nullptr;
}

BOOL CSystemTray::Create(CWnd* parent, UINT callbackMessage, LPCSTR tooltip, HICON icon, UINT id,
                         BOOL startHidden, LPCSTR balloonText, LPCSTR balloonTitle, DWORD balloonIconFlags,
                         UINT balloonTimeoutSeconds) {
    if (m_hWnd) {
        ::OutputDebugStringA("CSystemTray: Create called twice\n");
        return FALSE;
    }
    const UINT callback = callbackMessage != 0 ? callbackMessage : g_trayNotify;
    if (!CreateEx(0, AfxRegisterWndClass(0), _T(""), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr)) {
        ::OutputDebugStringA("CSystemTray: the tray window could not be created\n");
        return FALSE;
    }

    m_nid.hWnd = parent && parent->m_hWnd ? parent->m_hWnd : m_hWnd;
    m_nid.uID = id;
    m_nid.hIcon = icon;
    m_nid.uCallbackMessage = callback;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON;
    CopyCut(m_nid.szTip, tooltip, kMaxTooltipLength);
    if (m_nid.szTip[0] != '\0') m_nid.uFlags |= NIF_TIP;

    if (m_bNewShell && balloonText && balloonText[0] != '\0') {
        m_nid.uFlags |= NIF_INFO;
        CopyCut(m_nid.szInfo, balloonText, sizeof m_nid.szInfo);
        CopyCut(m_nid.szInfoTitle, balloonTitle, sizeof m_nid.szInfoTitle);
        m_nid.dwInfoFlags = balloonIconFlags;
        m_nid.uTimeout = balloonTimeoutSeconds * 1000;
    }

    m_bHidden = startHidden != FALSE;
    if (m_bNewShell && startHidden) {
        m_nid.uFlags |= NIF_STATE;
        m_nid.dwState = NIS_HIDDEN;
        m_nid.dwStateMask = NIS_HIDDEN;
    }

    BOOL accepted = TRUE;
    if (!startHidden || m_bNewShell) {
        accepted = Notify(NIM_ADD);
        m_bRemoved = !accepted;
        m_bShowPending = !accepted;
        // An icon added in the hidden state is registered but still hidden.
        m_bHidden = !accepted || startHidden;
    }

    // Later modifications must not show the balloon again.
    m_nid.szInfo[0] = '\0';
    m_nid.uFlags &= ~NIF_INFO;

    m_menu.Reset(::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(id)));
    if (!m_menu) ::OutputDebugStringA("CSystemTray: the tray menu resource is missing\n");
    return accepted;
}

BOOL CSystemTray::EnableMenuItem(UINT id, BOOL enable) {
    HMENU popup = FirstPopup();
    if (!popup) return FALSE;
    ::EnableMenuItem(popup, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    return TRUE;
}

BOOL CSystemTray::SetDefaultMenuItem(UINT item, BOOL byPosition) {
    const bool byPos = byPosition != FALSE;
    if (m_nDefaultItem == item && m_bDefaultByPos == byPos) return TRUE;
    m_nDefaultItem = item;
    m_bDefaultByPos = byPos;
    HMENU popup = FirstPopup();
    if (!popup) return FALSE;
    // An id no item has (0 by command) leaves the menu without a default item.
    ::SetMenuDefaultItem(popup, item, byPos);
    return TRUE;
}

LRESULT CSystemTray::OnTrayNotify(WPARAM id, LPARAM mouseMessage) {
    if (id != m_nid.uID) return 0;
    CWnd* target = m_pTargetWnd ? m_pTargetWnd : AfxGetMainWnd();
    if (!target || !target->m_hWnd) return 0;

    switch (LOWORD(mouseMessage)) {
        case WM_RBUTTONUP: {
            HMENU popup = FirstPopup();
            if (!popup) break;
            ::SetMenuDefaultItem(popup, m_nDefaultItem, m_bDefaultByPos);
            POINT pos;
            ::GetCursorPos(&pos);
            // The menu only closes on a click elsewhere when its owner is the foreground window,
            // and only closes cleanly when the owner gets one more message after it.
            ::SetForegroundWindow(target->m_hWnd);
            ::TrackPopupMenu(popup, TPM_LEFTALIGN, pos.x, pos.y, 0, target->m_hWnd, nullptr);
            target->PostMessage(WM_NULL);
            break;
        }
        case WM_LBUTTONDBLCLK: {
            ::SetForegroundWindow(target->m_hWnd);
            UINT command = m_nDefaultItem;
            if (m_bDefaultByPos) {
                HMENU popup = FirstPopup();
                if (!popup) return 0;
                command = ::GetMenuItemID(popup, static_cast<int>(m_nDefaultItem));
            }
            target->SendMessage(g_trayNotify, command, 0);
            break;
        }
        default:
            break;
    }
    return 1;
}

BOOL CSystemTray::HideTrayIcon() {
    if (m_bRemoved || m_bHidden) return TRUE;
    if (!m_bNewShell) {
        RemoveTrayIcon();
        return m_bHidden;
    }
    const UINT flags = m_nid.uFlags;
    m_nid.uFlags = NIF_STATE;
    m_nid.dwState = NIS_HIDDEN;
    m_nid.dwStateMask = NIS_HIDDEN;
    m_bHidden = Notify(NIM_MODIFY) != FALSE;
    m_nid.uFlags = flags;
    return m_bHidden;
}

BOOL CSystemTray::RemoveTrayIcon() {
    m_bShowPending = false;
    if (m_bRemoved) return TRUE;
    const UINT flags = m_nid.uFlags;
    m_nid.uFlags = 0;
    if (Notify(NIM_DELETE)) {
        m_bHidden = true;
        m_bRemoved = true;
    }
    m_nid.uFlags = flags;
    return m_bRemoved;
}

void CSystemTray::ReinstallIcon() {
    if (!m_bShowPending && m_bHidden) return;
    if (Notify(NIM_ADD)) {
        m_bShowPending = false;
        m_bRemoved = false;
        m_bHidden = false;
    } else {
        m_bShowPending = true;
    }
}

LRESULT CSystemTray::OnTaskbarCreated(WPARAM, LPARAM) {
    const LRESULT result = Default();
    ReinstallIcon();
    return result;
}

LRESULT CSystemTray::OnSettingChange(WPARAM wParam, LPARAM) {
    const LRESULT result = Default();
    if (wParam == SPI_SETWORKAREA) ReinstallIcon();
    return result;
}

LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_nid.uCallbackMessage != 0 && message == m_nid.uCallbackMessage) return OnTrayNotify(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CSystemTray::DestroyWindow() {
    RemoveTrayIcon();
    m_menu.Reset();
    return CWnd::DestroyWindow();
}

void CSystemTray::MoveWindowToTray(CWnd* wnd) {
    if (!wnd || !wnd->m_hWnd) return;
    HWND holder = g_holder.Get();
    if (!holder) return;
    // A window with a parent has no taskbar button.
    ::SetParent(wnd->m_hWnd, holder);
    wnd->ModifyStyle(WS_VISIBLE, 0);
}

void CSystemTray::RestoreWindowFromTray(CWnd* wnd) {
    if (!wnd || !wnd->m_hWnd) return;
    ::SetParent(wnd->m_hWnd, nullptr);
    wnd->ModifyStyle(0, WS_VISIBLE);
    wnd->RedrawWindow(nullptr, nullptr, kRedrawAll);
    if (HWND holder = GetHolderWindow()) ::SetActiveWindow(holder);
    ::SetActiveWindow(wnd->m_hWnd);
    ::SetForegroundWindow(wnd->m_hWnd);
}
