#include "monitor/controls/SkinButton.h"

#include <algorithm>

#include "framework/WinApp.h"
#include "monitor/controls/MaskRegion.h"

namespace {

constexpr COLORREF kMaskOutside = RGB(255, 255, 255);

ScopedBitmap LoadPicture(UINT id) {
    if (id == 0) return ScopedBitmap();
    ScopedBitmap picture(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id)));
    if (!picture) {
        char line[80];
        wsprintfA(line, "CSkinButton: bitmap %u not found\n", id);
        ::OutputDebugStringA(line);
    }
    return picture;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !::GetObject(bitmap, sizeof info, &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

// Copies `source` (its whole size) to (x, y, w, h): stretched, or one to one from its top-left corner.
void PutPicture(HDC target, int x, int y, int w, int h, HDC source, SIZE size, bool stretch, DWORD rop) {
    if (stretch) {
        ::StretchBlt(target, x, y, w, h, source, 0, 0, size.cx, size.cy, rop);
    } else {
        ::BitBlt(target, x, y, std::min<int>(w, size.cx), std::min<int>(h, size.cy), source, 0, 0, rop);
    }
}

// Message 0x0500 means something only to buttons; other controls of a group never see it.
bool IsButtonWindow(HWND wnd) {
    char name[16] = {};
    ::GetClassNameA(wnd, name, sizeof name);
    return ::lstrcmpiA(name, "Button") == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_KEYDOWN, &CSkinButton::OnKeyDown)
ON_MESSAGE(BM_SETCHECK, &CSkinButton::OnSetCheck)
ON_MESSAGE(BM_GETCHECK, &CSkinButton::OnGetCheck)
ON_MESSAGE(CSkinButton::kClearCheckMessage, &CSkinButton::OnClearCheck)
END_MESSAGE_MAP()

CSkinButton::CSkinButton() : m_crText(::GetSysColor(COLOR_BTNTEXT)) {}

CSkinButton::~CSkinButton() {
    if (m_hWnd && ::IsWindow(m_hWnd)) DestroyWindow();
}

void CSkinButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    // Only the automatic kinds get our own check behaviour; every other button acts as a push button.
    switch (GetStyle() & BS_TYPEMASK) {
        case BS_AUTOCHECKBOX:
            m_nKind = kCheckBox;
            break;
        case BS_AUTORADIOBUTTON:
            m_nKind = kRadioButton;
            break;
        default:
            m_nKind = kPushButton;
            break;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

void CSkinButton::SetBitmaps(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask,
                             int mode, int edge, int inset) {
    m_bmpNormal.Reset();
    m_bmpPressed.Reset();
    m_bmpDisabled.Reset();
    m_bmpMask.Reset();
    m_bmpHover.Reset();
    m_bmpFocus.Reset();

    m_bmpNormal = LoadPicture(normal);
    m_bmpPressed = LoadPicture(pressed);
    m_bmpHover = LoadPicture(hover);
    m_bmpFocus = LoadPicture(focus);
    m_bmpDisabled = LoadPicture(disabled != 0 ? disabled : normal);

    m_nDrawMode = static_cast<short>(mode > 1 ? kTiled : (mode < 0 ? kOneToOne : mode));
    m_nEdge = edge;
    m_nFocusInset = static_cast<short>(std::max(inset, 0));

    if (mask != 0) {
        m_bmpMask = LoadPicture(mask);
        if (m_bmpMask && m_hWnd) {
            if (HRGN outline = CreateRegionFromMask(m_bmpMask.Get(), kMaskOutside)) {
                // From here on the window owns the region (and deletes the one it had before).
                if (SetWindowRgn(outline, TRUE)) {
                    m_hRegion = outline;
                } else {
                    ::DeleteObject(outline);
                    ::OutputDebugStringA("CSkinButton: SetWindowRgn failed\n");
                }
            }
            if (m_nDrawMode == kOneToOne) {
                SIZE size = BitmapSize(m_bmpMask.Get());
                SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    } else if (m_hRegion && m_hWnd) {
        // No mask any more: the old outline would hide parts of the new pictures.
        SetWindowRgn(nullptr, TRUE);
        m_hRegion = nullptr;
    }
    if (m_hWnd) Invalidate(FALSE);
}

void CSkinButton::SetTooltipText(LPCTSTR text) {
    if (!text || !m_hWnd) return;
    TOOLINFO ti = {};
#ifdef UNICODE
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
#else
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
#endif
    // The button relays its own mouse messages, so the tooltip does not subclass it.
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = ::GetParent(m_hWnd);
    ti.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    ti.lpszText = const_cast<LPTSTR>(text);
    if (!m_tooltip.m_hWnd) {
        if (!m_tooltip.Create(this)) {
            ::OutputDebugStringA("CSkinButton: the tooltip could not be created\n");
            return;
        }
        if (!m_tooltip.SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti))) {
            ::OutputDebugStringA("CSkinButton: TTM_ADDTOOL failed\n");
        }
        m_tooltip.Activate(TRUE);
        return;
    }
    m_tooltip.SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

bool CSkinButton::IsPointOver(POINT point) const {
    RECT client;
    GetClientRect(&client);
    if (!::PtInRect(&client, point)) return false;
    if (!m_hRegion) return true;
    ScopedRegion outline(::CreateRectRgn(0, 0, 0, 0));
    if (!outline || ::GetWindowRgn(m_hWnd, outline.Get()) == ERROR) return true;
    return ::PtInRegion(outline.Get(), point.x, point.y) != FALSE;
}

void CSkinButton::RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_tooltip.m_hWnd) return;
    MSG msg = {};
    msg.hwnd = m_hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(::GetMessageTime());
    ::GetCursorPos(&msg.pt);
    m_tooltip.RelayEvent(&msg);
}

// ---- drawing ------------------------------------------------------------------------------------

void CSkinButton::DrawPicture(HDC dc, HBITMAP picture, const RECT& rect) const {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const SIZE size = BitmapSize(picture);
    if (w <= 0 || h <= 0 || size.cx <= 0 || size.cy <= 0) return;
    ScopedDc source(::CreateCompatibleDC(dc));
    if (!source) return;
    ScopedSelect sourcePicture(source.Get(), picture);

    if (m_nDrawMode == kTiled) {
        for (int y = rect.top; y < rect.bottom; y += size.cy) {
            for (int x = rect.left; x < rect.right; x += size.cx) {
                ::BitBlt(dc, x, y, std::min<int>(size.cx, rect.right - x),
                         std::min<int>(size.cy, rect.bottom - y), source.Get(), 0, 0, SRCCOPY);
            }
        }
        return;
    }

    const bool stretch = m_nDrawMode == kStretched;
    if (!m_bmpMask) {
        const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
        PutPicture(dc, rect.left, rect.top, w, h, source.Get(), size, stretch, SRCCOPY);
        ::SetStretchBltMode(dc, oldMode);
        return;
    }

    // picture XOR background, AND mask, XOR picture: white mask pixels give back the background,
    // black ones the picture. Done off screen so the button never flickers.
    ScopedDc work(::CreateCompatibleDC(dc));
    ScopedBitmap workBitmap(::CreateCompatibleBitmap(dc, w, h));
    ScopedDc maskDc(::CreateCompatibleDC(dc));
    if (!work || !workBitmap || !maskDc) {
        ::OutputDebugStringA("CSkinButton: no off-screen bitmap for drawing\n");
        return;
    }
    ScopedSelect workSelect(work.Get(), workBitmap.Get());
    ScopedSelect maskSelect(maskDc.Get(), m_bmpMask.Get());
    ::SetStretchBltMode(work.Get(), COLORONCOLOR);
    ::BitBlt(work.Get(), 0, 0, w, h, dc, rect.left, rect.top, SRCCOPY);
    PutPicture(work.Get(), 0, 0, w, h, source.Get(), size, stretch, SRCINVERT);
    PutPicture(work.Get(), 0, 0, w, h, maskDc.Get(), BitmapSize(m_bmpMask.Get()), stretch, SRCAND);
    PutPicture(work.Get(), 0, 0, w, h, source.Get(), size, stretch, SRCINVERT);
    ::BitBlt(dc, rect.left, rect.top, w, h, work.Get(), 0, 0, SRCCOPY);
}

void CSkinButton::DrawPictureOrFace(HDC dc, HBITMAP picture, const RECT& rect) const {
    if (picture) {
        DrawPicture(dc, picture, rect);
    } else {
        ::FillRect(dc, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    }
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    // While the left button is held here, the pushed look follows the pointer. Changing the state
    // repaints the button, so this paint ends there.
    if (m_bPressing && ::GetCapture() == m_hWnd) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        ScreenToClient(&cursor);
        const bool over = IsPointOver(cursor);
        const bool pushed = (GetState() & BST_PUSHED) != 0;
        if (over && !pushed) {
            SetState(TRUE);
            return;
        }
        if (!over && pushed) {
            SetState(FALSE);
            return;
        }
    }

    HDC dc = dis->hDC;
    const RECT item = dis->rcItem;
    const int saved = ::SaveDC(dc);
    RECT text = item;
    text.left += m_nFocusInset + 2;
    text.right -= m_nFocusInset + 2;
    ::SetBkMode(dc, TRANSPARENT);
    CString caption;
    GetWindowText(caption);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

    if (dis->itemState & ODS_DISABLED) {
        DrawPictureOrFace(dc, m_bmpDisabled.Get(), item);
        if (m_nEdge) {
            RECT edge = item;
            ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
        }
        ::SetTextColor(dc, ::GetSysColor(COLOR_3DHILIGHT));
        ::DrawText(dc, caption, caption.GetLength(), &text, format);
        ::OffsetRect(&text, -1, -1);
        ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));
        ::DrawText(dc, caption, caption.GetLength(), &text, format);
        ::RestoreDC(dc, saved);
        return;
    }

    UINT edgeKind;
    if ((dis->itemState & ODS_SELECTED) || m_bChecked) {
        DrawPictureOrFace(dc, m_bmpPressed.Get(), item);
        ::OffsetRect(&text, 1, 1);
        edgeKind = EDGE_SUNKEN;
    } else {
        HBITMAP picture = m_bmpNormal.Get();
        if (m_bHover && m_bmpHover) {
            picture = m_bmpHover.Get();
        } else if ((dis->itemState & ODS_FOCUS) && m_bmpFocus) {
            picture = m_bmpFocus.Get();
        }
        DrawPictureOrFace(dc, picture, item);
        edgeKind = EDGE_RAISED;
    }
    if (m_nEdge) {
        RECT edge = item;
        ::DrawEdge(dc, &edge, edgeKind, BF_RECT);
    }
    if ((dis->itemState & ODS_FOCUS) && m_nFocusInset > 0) {
        RECT focus = item;
        ::InflateRect(&focus, -m_nFocusInset, -m_nFocusInset);
        ::DrawFocusRect(dc, &focus);
    }
    ::SetTextColor(dc, m_crText);
    ::DrawText(dc, caption, caption.GetLength(), &text, format);
    ::RestoreDC(dc, saved);
}

// ---- pointer, keys and checks -------------------------------------------------------------------

BOOL CSkinButton::OnEraseBkgnd(HDC) {
    return TRUE;  // the pictures cover the whole shape
}

void CSkinButton::OnMouseMove(UINT flags, CPoint point) {
    RelayToTooltip(WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
    if (m_bPressing && ::GetCapture() == m_hWnd) {
        const bool over = IsPointOver(point);
        if (over != ((GetState() & BST_PUSHED) != 0)) SetState(over ? TRUE : FALSE);
    } else if (!m_bHover) {
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
        if (::_TrackMouseEvent(&track)) {
            m_bHover = 1;
            Invalidate(FALSE);
        }
    }
    Default();
}

void CSkinButton::OnMouseLeave() {
    m_bHover = 0;
    Invalidate(FALSE);
}

void CSkinButton::OnLButtonDown(UINT flags, CPoint point) {
    RelayToTooltip(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
    if (m_bHover) {
        // While pressed the button shows its pushed picture, not the hover one.
        TRACKMOUSEEVENT track = {sizeof track, TME_CANCEL | TME_LEAVE, m_hWnd, 0};
        if (::_TrackMouseEvent(&track)) m_bHover = 0;
    }
    Default();
    m_bPressing = 1;
}

void CSkinButton::OnLButtonUp(UINT flags, CPoint point) {
    // A release counts only for a press that began on this button and ends over it.
    if (m_bPressing && m_nKind != kPushButton && IsPointOver(point)) {
        SendMessage(BM_SETCHECK, m_nKind == kCheckBox ? !m_bChecked : TRUE);
    }
    RelayToTooltip(WM_LBUTTONUP, flags, MAKELPARAM(point.x, point.y));
    m_bPressing = 0;
    Default();
}

void CSkinButton::OnLButtonDblClk(UINT flags, CPoint point) {
    // A double click is a second press.
    SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CSkinButton::OnKillFocus(CWnd*) {
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
        m_bPressing = 0;
    }
    Default();
}

LRESULT CSkinButton::OnKeyDown(WPARAM key, LPARAM flags) {
    // Bit 30: the key was already down (auto-repeat); holding the space bar changes the check once.
    const bool repeat = (flags & (1 << 30)) != 0;
    if (key == VK_SPACE && !repeat) {
        if (m_nKind == kCheckBox) {
            SendMessage(BM_SETCHECK, !m_bChecked);
        } else if (m_nKind == kRadioButton) {
            SendMessage(BM_SETCHECK, TRUE);
        }
    }
    return Default();
}

LRESULT CSkinButton::OnSetCheck(WPARAM check, LPARAM) {
    m_bChecked = m_nKind != kPushButton && check != 0;
    if (m_bChecked && m_nKind == kRadioButton) ClearOtherRadios();
    Invalidate(FALSE);
    return 0;
}

LRESULT CSkinButton::OnGetCheck(WPARAM, LPARAM) {
    return m_bChecked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CSkinButton::OnClearCheck(WPARAM, LPARAM) {
    if (m_bChecked) {
        m_bChecked = false;
        Invalidate(FALSE);
    }
    return 0;
}

void CSkinButton::ClearOtherRadios() {
    // The group runs from the nearest control at or before this one with WS_GROUP up to the next
    // control with WS_GROUP. Hidden and disabled members are included: a disabled size button must
    // not stay checked beside the new choice. The message is sent, not posted: a clear still waiting
    // in the queue would undo a check made after it.
    HWND first = m_hWnd;
    while (!(::GetWindowLongPtr(first, GWL_STYLE) & WS_GROUP)) {
        HWND previous = ::GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND member = first; member; member = ::GetWindow(member, GW_HWNDNEXT)) {
        if (member != first && (::GetWindowLongPtr(member, GWL_STYLE) & WS_GROUP)) break;
        if (member != m_hWnd && IsButtonWindow(member)) ::SendMessage(member, kClearCheckMessage, 0, 0);
    }
}
