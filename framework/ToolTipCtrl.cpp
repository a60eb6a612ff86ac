#include "framework/ToolTipCtrl.h"

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | style,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    parent ? parent->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::FillToolInfo(TOOLINFO& ti, CWnd* tool, UINT_PTR toolId) const {
    ti = {};
    // The size without lpReserved works with every common controls version.
#ifdef UNICODE
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
#else
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
#endif
    if (toolId == 0) {
        ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        ti.hwnd = ::GetParent(tool->m_hWnd);
        ti.uId = reinterpret_cast<UINT_PTR>(tool->m_hWnd);
    } else {
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = tool->m_hWnd;
        ti.uId = toolId;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* tool, LPCTSTR text, LPCRECT rect, UINT_PTR toolId) {
    if (!tool || !tool->m_hWnd) return FALSE;
    TOOLINFO ti;
    FillToolInfo(ti, tool, rect && toolId == 0 ? 1 : toolId);
    if (rect) ti.rect = *rect;
    ti.lpszText = const_cast<LPTSTR>(text ? text : LPSTR_TEXTCALLBACK);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR text, CWnd* tool, UINT_PTR toolId) {
    TOOLINFO ti;
    FillToolInfo(ti, tool, toolId);
    ti.lpszText = const_cast<LPTSTR>(text);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::DelTool(CWnd* tool, UINT_PTR toolId) {
    TOOLINFO ti;
    FillToolInfo(ti, tool, toolId);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::RelayEvent(MSG* msg) {
    if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
