#include "framework/FontDialog.h"

#include "framework/ModalHook.h"
#include "framework/WinApp.h"

namespace {
int ScreenDpiY() {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
}  // namespace

CFontDialog::CFontDialog(const CHARFORMAT& cf, DWORD flags, HDC printer, CWnd* parent)
    : m_cf(), m_lf(), m_initial(cf) {
    m_initial.cbSize = sizeof m_initial;
    if (cf.dwMask & CFM_SIZE) m_lf.lfHeight = -::MulDiv(cf.yHeight, ScreenDpiY(), 1440);
    m_lf.lfWeight = ((cf.dwMask & CFM_BOLD) && (cf.dwEffects & CFE_BOLD)) ? FW_BOLD : FW_NORMAL;
    m_lf.lfItalic = (cf.dwMask & CFM_ITALIC) && (cf.dwEffects & CFE_ITALIC);
    m_lf.lfUnderline = (cf.dwMask & CFM_UNDERLINE) && (cf.dwEffects & CFE_UNDERLINE);
    m_lf.lfStrikeOut = (cf.dwMask & CFM_STRIKEOUT) && (cf.dwEffects & CFE_STRIKEOUT);
    m_lf.lfCharSet = (cf.dwMask & CFM_CHARSET) ? cf.bCharSet : DEFAULT_CHARSET;
    m_lf.lfPitchAndFamily = cf.bPitchAndFamily;
    if (cf.dwMask & CFM_FACE) lstrcpyn(m_lf.lfFaceName, cf.szFaceName, LF_FACESIZE);

    m_cf.lStructSize = sizeof m_cf;
    m_cf.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_cf.hDC = printer;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = flags | CF_INITTOLOGFONTSTRUCT;
    m_cf.iPointSize = (cf.dwMask & CFM_SIZE) ? cf.yHeight / 2 : 0;
    m_cf.rgbColors = (cf.dwEffects & CFE_AUTOCOLOR) ? ::GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor;
}

INT_PTR CFontDialog::DoModal() {
    if (::fw::ModalHook* hook = ::fw::GetModalHook()) return hook->OnFontDialog(*this);
    if (!m_cf.hwndOwner) {
        CWnd* main = AfxGetMainWnd();
        m_cf.hwndOwner = main ? main->m_hWnd : ::GetActiveWindow();
    }
    return ::ChooseFont(&m_cf) ? IDOK : IDCANCEL;
}

void CFontDialog::GetCharFormat(CHARFORMAT& cf) const {
    cf = m_initial;
    cf.cbSize = sizeof cf;
    cf.dwMask |= CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_CHARSET;
    // iPointSize is in tenths of a point; the format's height is in twips (twentieths).
    cf.yHeight = m_cf.iPointSize > 0
                     ? m_cf.iPointSize * 2
                     : ::MulDiv(m_lf.lfHeight < 0 ? -m_lf.lfHeight : m_lf.lfHeight, 1440, ScreenDpiY());
    DWORD effects = cf.dwEffects & ~(CFE_BOLD | CFE_ITALIC);
    if (m_lf.lfWeight >= FW_BOLD) effects |= CFE_BOLD;
    if (m_lf.lfItalic) effects |= CFE_ITALIC;
    if (m_cf.Flags & CF_EFFECTS) {
        cf.dwMask |= CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
        effects &= ~(CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR);
        if (m_lf.lfUnderline) effects |= CFE_UNDERLINE;
        if (m_lf.lfStrikeOut) effects |= CFE_STRIKEOUT;
        cf.crTextColor = m_cf.rgbColors;
    }
    cf.dwEffects = effects;
    cf.bCharSet = m_lf.lfCharSet;
    cf.bPitchAndFamily = m_lf.lfPitchAndFamily;
    ZeroMemory(cf.szFaceName, sizeof cf.szFaceName);
    lstrcpyn(cf.szFaceName, m_lf.lfFaceName, LF_FACESIZE);
}
