// CToolTipCtrl: a tooltip window for the controls of a dialog. Call RelayEvent from the dialog's
// PreTranslateMessage so the tips see the mouse.
#pragma once

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
  public:
    BOOL Create(CWnd* parent, DWORD style = 0);
    // A tip for control `tool` (its whole area), or for `rect` of it when `rect` is given.
    BOOL AddTool(CWnd* tool, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void UpdateTipText(LPCTSTR text, CWnd* tool, UINT_PTR toolId = 0);
    void DelTool(CWnd* tool, UINT_PTR toolId = 0);
    void RelayEvent(MSG* msg);
    void Activate(BOOL activate) const { SendMessage(TTM_ACTIVATE, activate); }
    void SetDelayTime(UINT delay) const {
        SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(delay));
    }
    void SetMaxTipWidth(int width) const { SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

  private:
    void FillToolInfo(TOOLINFO& ti, CWnd* tool, UINT_PTR toolId) const;
};
