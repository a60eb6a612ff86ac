// CFrameWnd: a top-level frame with the menu, icon, accelerators and title of one resource id, an
// optional status bar (id AFX_IDW_STATUS_BAR) and a view (id AFX_IDW_PANE_FIRST) filling the rest.
// Commands go to the view first, then the frame, then the application. Menu items are enabled on
// WM_INITMENUPOPUP through the update handlers (ON_UPDATE_COMMAND_UI); an item nobody handles is
// greyed. A frame deletes itself when its window is destroyed, so create it with new; destroying
// the application's main frame ends the message loop.
#pragma once

#include "framework/Wnd.h"

class CFrameWnd : public CWnd {
  public:
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* parent = nullptr, void* context = nullptr);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void PostNcDestroy() override;
    virtual void RecalcLayout();
    CWnd* GetActiveView() const;

    BOOL m_bAutoMenuEnable = TRUE;

    afx_msg void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu);
    afx_msg void OnSize(UINT type, int cx, int cy);

  protected:
    UINT m_nIDResource = 0;
    HACCEL m_hAccelTable = nullptr;

    DECLARE_MESSAGE_MAP()
};
