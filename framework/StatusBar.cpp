#include "framework/StatusBar.h"

BEGIN_MESSAGE_MAP(CStatusBar, CWnd)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    style &= ~static_cast<DWORD>(CBRS_BOTTOM);
    return CreateEx(0, STATUSCLASSNAME, nullptr, style | WS_CHILD, 0, 0, 0, 0,
                    parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)));
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        CString text;
        if (ids[i]) text.LoadString(ids[i]);
        m_panes.push_back(text);
    }
    LayoutPanes();
    for (int i = 0; i < count; ++i) SetPaneText(i, m_panes[static_cast<size_t>(i)]);
    return TRUE;
}

void CStatusBar::LayoutPanes() {
    if (!m_hWnd || m_panes.empty()) return;
    RECT client;
    GetClientRect(&client);
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont =
        ::SelectObject(dc, GetFont() ? static_cast<HGDIOBJ>(GetFont()) : ::GetStockObject(DEFAULT_GUI_FONT));
    std::vector<int> rights(m_panes.size());
    int right = client.right;
    for (size_t i = m_panes.size(); i-- > 1;) {  // fixed panes from the right edge
        rights[i] = right;
        SIZE extent = {};
        ::GetTextExtentPoint32(dc, m_panes[i], m_panes[i].GetLength(), &extent);
        right -= extent.cx + 8;
    }
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    rights[0] = m_panes.size() == 1 ? -1 : right;
    if (m_panes.size() > 1) rights.back() = -1;
    SendMessage(SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

BOOL CStatusBar::SetPaneText(int index, LPCTSTR text, BOOL update) {
    if (index < 0 || index >= GetCount()) return FALSE;
    CString& pane = m_panes[static_cast<size_t>(index)];
    pane = CString(text);  // `text` may point into `pane` itself
    if (!m_hWnd) return TRUE;
    BOOL ok = static_cast<BOOL>(
        SendMessage(SB_SETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(pane.GetString())));
    if (update) UpdateWindow();
    return ok;
}

CString CStatusBar::GetPaneText(int index) const {
    CString text;
    if (!m_hWnd || index < 0 || index >= GetCount()) return text;
    int length = LOWORD(SendMessage(SB_GETTEXTLENGTH, static_cast<WPARAM>(index)));
    SendMessage(SB_GETTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer();
    return text;
}

void CStatusBar::OnSize(UINT type, int cx, int cy) {
    Default();
    LayoutPanes();
}
