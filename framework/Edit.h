// CEdit: an edit control.
#pragma once

#include "framework/Wnd.h"

class CEdit : public CWnd {
  public:
    void SetSel(int start, int end, BOOL noScroll = FALSE) const {
        SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE) const {
        SendMessage(EM_REPLACESEL, canUndo, reinterpret_cast<LPARAM>(text));
    }
    void LimitText(int chars = 0) const { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(chars)); }
    BOOL SetReadOnly(BOOL readOnly = TRUE) const {
        return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly));
    }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};
