#include "framework/FrameWnd.h"

#include "framework/CmdUI.h"
#include "framework/WinApp.h"

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_INITMENUPOPUP()
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent, void*) {
    m_nIDResource = resourceId;
    HINSTANCE instance = AfxGetResourceHandle();
    HMENU menu = ::LoadMenu(instance, MAKEINTRESOURCE(resourceId));
    m_hAccelTable = ::LoadAccelerators(instance, MAKEINTRESOURCE(resourceId));
    CString title;
    if (title.LoadString(resourceId)) {
        int newline = title.Find('\n');
        if (newline >= 0) title = title.Left(newline);
    } else {
        title = AfxGetAppTitle();
    }
    style &= ~static_cast<DWORD>(FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    if (!CreateEx(0, nullptr, title, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  parent ? parent->m_hWnd : nullptr, menu)) {
        // A failed creation may already have deleted this object (PostNcDestroy); touch nothing.
        if (menu) ::DestroyMenu(menu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (!cs.lpszClass) {
        HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDResource));
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), icon);
    }
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

CWnd* CFrameWnd::GetActiveView() const {
    return m_hWnd ? FromHandlePermanent(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)) : nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra) {
    if (CWnd* view = GetActiveView()) {
        if (view->OnCmdMsg(id, code, extra)) return TRUE;
    }
    if (CWnd::OnCmdMsg(id, code, extra)) return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(id, code, extra);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg) {
    if (m_hAccelTable && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::TranslateAccelerator(m_hWnd, m_hAccelTable, msg) != 0;
    return FALSE;
}

void CFrameWnd::PostNcDestroy() {
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    delete this;
}

void CFrameWnd::OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu) {
    Default();
    if (sysMenu) return;
    int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        UINT id = ::GetMenuItemID(popup, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and sub-menus
        CCmdUI state;
        state.m_nID = id;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nIndexMax = static_cast<UINT>(count);
        state.m_hMenu = popup;
        state.DoUpdate(this, m_bAutoMenuEnable);
    }
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    Default();
    if (type != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
    if (!m_hWnd) return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int bottom = client.bottom;
    HWND bar = ::GetDlgItem(m_hWnd, AFX_IDW_STATUS_BAR);
    if (bar && (::GetWindowLongPtr(bar, GWL_STYLE) & WS_VISIBLE)) {
        ::SendMessage(bar, WM_SIZE, 0, 0);  // the status bar places itself at the bottom
        RECT rc;
        ::GetWindowRect(bar, &rc);
        bottom -= rc.bottom - rc.top;
    }
    if (HWND view = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)) {
        ::MoveWindow(view, 0, 0, client.right, bottom > 0 ? bottom : 0, TRUE);
    }
}
