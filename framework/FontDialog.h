// CFontDialog: the font dialog, started from and giving back a rich edit character format.
// GetCharFormat starts from the format the dialog was opened with and replaces what the dialog
// chose (face, size, weight, italic, character set; colour, underline and strike-out with
// CF_EFFECTS), so an unchanged choice gives back the same bytes.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include "framework/Wnd.h"

class CFontDialog {
  public:
    explicit CFontDialog(const CHARFORMAT& cf, DWORD flags = CF_SCREENFONTS, HDC printer = nullptr,
                         CWnd* parent = nullptr);
    CFontDialog(const CFontDialog&) = delete;
    CFontDialog& operator=(const CFontDialog&) = delete;
    virtual ~CFontDialog() = default;

    virtual INT_PTR DoModal();
    void GetCharFormat(CHARFORMAT& cf) const;

    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }

    CHOOSEFONT m_cf;
    LOGFONT m_lf;

  private:
    CHARFORMAT m_initial;
};
