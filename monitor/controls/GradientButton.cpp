#include "monitor/controls/GradientButton.h"

#include <algorithm>
#include <array>

namespace {

HPEN MakePen(int width, COLORREF colour) {
    return ::CreatePen(PS_INSIDEFRAME, width, colour);
}

// Shade i of 64 of the face: darker towards the bottom, bluer while active.
COLORREF FaceShade(int i, bool hover, bool active) {
    int redGreen, blue;
    if (hover) {
        redGreen = 255 - i / 4;
        blue = active ? 255 - i / 3 : 255 - i / 5;
    } else {
        redGreen = 255 - i / 3;
        blue = active ? 255 - i / 4 : 255 - i / 5;
    }
    return RGB(redGreen, redGreen, blue);
}

}  // namespace

BEGIN_MESSAGE_MAP(CGradientButton, CButton)
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CGradientButton::CGradientButton()
    : m_outlinePen(MakePen(1, RGB(0, 0, 0))),
      m_hotLeftPen(MakePen(3, RGB(250, 196, 88))),
      m_hotRightPen(MakePen(3, RGB(251, 202, 106))),
      m_hotTopPen(MakePen(2, RGB(252, 210, 121))),
      m_hotBottomPen(MakePen(2, RGB(229, 151, 0))),
      m_focusLeftPen(MakePen(3, RGB(153, 198, 252))),
      m_focusRightPen(MakePen(3, RGB(162, 189, 252))),
      m_focusTopPen(MakePen(2, RGB(162, 201, 255))),
      m_focusBottomPen(MakePen(2, RGB(162, 201, 255))) {}

CGradientButton::~CGradientButton() = default;

void CGradientButton::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW);
}

void CGradientButton::OnMouseMove(UINT flags, CPoint point) {
    if (!m_nTracking) {
        TRACKMOUSEEVENT request = {};
        request.cbSize = sizeof(request);
        request.dwFlags = TME_HOVER | TME_LEAVE;
        request.hwndTrack = m_hWnd;
        request.dwHoverTime = 1;
        m_nTracking = ::_TrackMouseEvent(&request) ? 1 : 0;
    }
    CButton::OnMouseMove(flags, point);
}

void CGradientButton::OnMouseHover(UINT, CPoint) {
    m_nHover = 1;
    Invalidate(TRUE);
}

void CGradientButton::OnMouseLeave() {
    m_nHover = 0;
    m_nTracking = 0;
    Invalidate(FALSE);
}

void CGradientButton::DrawItem(LPDRAWITEMSTRUCT dis) {
    HDC dc = dis->hDC;
    const int saved = ::SaveDC(dc);
    TCHAR caption[260] = {};
    ::GetWindowText(dis->hwndItem, caption, 260);

    const RECT item = dis->rcItem;
    ::SelectObject(dc, m_outlinePen.Get());
    ::RoundRect(dc, item.left, item.top, item.right, item.bottom, 5, 5);

    const UINT state = dis->itemState;
    m_nHasFocus = (state & ODS_FOCUS) ? 1 : 0;
    m_nActive = (m_nHasFocus || (state & ODS_SELECTED) || (state & ODS_DEFAULT)) ? 1 : 0;

    RECT face = item;
    ::InflateRect(&face, -::GetSystemMetrics(SM_CXEDGE), -::GetSystemMetrics(SM_CYEDGE));
    DrawFace(dc, face);
    if (m_nHover || m_nHasFocus) DrawFrame(dc, face);

    HFONT font = reinterpret_cast<HFONT>(::SendMessage(dis->hwndItem, WM_GETFONT, 0, 0));
    if (font) ::SelectObject(dc, font);
    const int length = lstrlen(caption);
    SIZE extent = {};
    ::GetTextExtentPoint32(dc, caption, length, &extent);
    ::SetBkMode(dc, TRANSPARENT);
    int left = (item.left + item.right) / 2 - extent.cx / 2;
    int top = (item.top + item.bottom) / 2 - extent.cy / 2;
    if (state & ODS_SELECTED) {
        ++left;
        ++top;
    }
    UINT flags = DST_TEXT;
    if (state & ODS_DISABLED) flags |= DSS_DISABLED;
    ::DrawState(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(caption), static_cast<WPARAM>(length), left,
                top, extent.cx, extent.cy, flags);

    ::RestoreDC(dc, saved);
}

void CGradientButton::DrawFace(HDC dc, const RECT& face) {
    const int h = face.bottom - face.top;
    const int w = face.right - face.left;
    if (h <= 0 || w <= 0) return;  // nothing to paint, and no division by a zero height
    std::array<ScopedBrush, 64> shades;
    for (int i = 0; i < 64; ++i)
        shades[i].Reset(::CreateSolidBrush(FaceShade(i, m_nHover != 0, m_nActive != 0)));
    // The rows run in window coordinates down to h + 2, so the lowest rows take the darkest shade.
    for (int y = face.top; y <= h + 2; ++y) {
        const RECT row = {face.left, y, w + 2, y + 1};
        ::FillRect(dc, &row, shades[std::min(63, y * 63 / h)].Get());
    }
}

void CGradientButton::DrawFrame(HDC dc, const RECT& face) {
    const bool hot = !m_nHasFocus || m_nHover;
    HPEN left = hot ? m_hotLeftPen.Get() : m_focusLeftPen.Get();
    HPEN right = hot ? m_hotRightPen.Get() : m_focusRightPen.Get();
    HPEN top = hot ? m_hotTopPen.Get() : m_focusTopPen.Get();
    HPEN bottom = hot ? m_hotBottomPen.Get() : m_focusBottomPen.Get();

    POINT oldPosition = {};
    ::MoveToEx(dc, face.left, face.bottom - 1, &oldPosition);
    HGDIOBJ oldPen = ::SelectObject(dc, left);
    ::LineTo(dc, face.left, face.top + 1);
    ::SelectObject(dc, right);
    ::MoveToEx(dc, face.right - 1, face.bottom - 1, nullptr);
    ::LineTo(dc, face.right - 1, face.top);
    ::SelectObject(dc, top);
    ::MoveToEx(dc, face.left - 1, face.top, nullptr);
    ::LineTo(dc, face.right - 1, face.top);
    ::SelectObject(dc, bottom);
    ::MoveToEx(dc, face.left, face.bottom, nullptr);
    ::LineTo(dc, face.right - 1, face.bottom);
    ::SelectObject(dc, oldPen);
    ::MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);

    if (!hot) ::DrawFocusRect(dc, &face);
}
