// CStatusBar: the frame's status bar. The first pane stretches over the free width; the others are
// as wide as their indicator texts.
#pragma once

#include <vector>

#include "framework/Wnd.h"

class CStatusBar : public CWnd {
  public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT id = AFX_IDW_STATUS_BAR);
    // One pane per string resource id (0 gives an empty pane).
    BOOL SetIndicators(const UINT* ids, int count);
    BOOL SetPaneText(int index, LPCTSTR text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }

    afx_msg void OnSize(UINT type, int cx, int cy);

  private:
    void LayoutPanes();
    std::vector<CString> m_panes;

    DECLARE_MESSAGE_MAP()
};
