// CRichEditCtrl: a rich edit 2.0 control ("RichEdit20W"/"RichEdit20A"; AfxInitRichEdit2 loads it).
#pragma once

#include <windows.h>

#include <richedit.h>

#include "framework/Wnd.h"

class CRichEditCtrl : public CWnd {
  public:
    BOOL SetDefaultCharFormat(CHARFORMAT& cf) const {
        cf.cbSize = sizeof cf;
        return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
    }
    DWORD GetDefaultCharFormat(CHARFORMAT& cf) const {
        cf.cbSize = sizeof cf;
        return static_cast<DWORD>(SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf)));
    }
    BOOL SetSelectionCharFormat(CHARFORMAT& cf) const {
        cf.cbSize = sizeof cf;
        return static_cast<BOOL>(SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf)));
    }
    void LimitText(long chars = 0) const { SendMessage(EM_EXLIMITTEXT, 0, chars); }
    DWORD SetEventMask(DWORD mask) const {
        return static_cast<DWORD>(SendMessage(EM_SETEVENTMASK, 0, static_cast<LPARAM>(mask)));
    }
    void SetSel(long start, long end) const {
        CHARRANGE range{start, end};
        SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    }
    COLORREF SetBackgroundColor(BOOL useSystem, COLORREF color) const {
        return static_cast<COLORREF>(SendMessage(EM_SETBKGNDCOLOR, useSystem, static_cast<LPARAM>(color)));
    }
};
