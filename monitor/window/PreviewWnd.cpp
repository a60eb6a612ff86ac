#include "monitor/window/PreviewWnd.h"

#include "monitor/app/MonitorSettings.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/resources/artwork/ArtworkIds.h"

BEGIN_MESSAGE_MAP(CPreviewWnd, CDialog)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CPreviewWnd::CPreviewWnd() {
    previewRestore = 0;
}

CPreviewWnd::~CPreviewWnd() {
    EndDrawing();
    if (m_hWnd) DestroyWindow();
}

BOOL CPreviewWnd::Create(CWnd* owner) {
    return CDialog::Create(IDD_PREVIEW, owner);
}

BOOL CPreviewWnd::OnInitDialog() {
    CDialog::OnInitDialog();
    HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_ICON_PROGRAM));
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    return TRUE;
}

HDC CPreviewWnd::OwnDc() {
    if (!m_hOwnDc && m_hWnd) m_hOwnDc = ::GetDC(m_hWnd);
    return m_hOwnDc;
}

void CPreviewWnd::FillBlack(HDC dc) const {
    if (!dc || !m_hWnd) return;
    RECT client;
    GetClientRect(&client);
    ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void CPreviewWnd::EndDrawing() {
    if (!m_hDrawDib) return;
    ::DrawDibEnd(m_hDrawDib);
    ::DrawDibClose(m_hDrawDib);
    m_hDrawDib = nullptr;
}

void CPreviewWnd::Setup(HDC dc, int width, int height) {
    m_hDc = dc;
    m_nWidth = width;
    m_nHeight = height;
    auto header = std::make_unique<BITMAPINFOHEADER>();
    *header = {};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    m_pHeader = std::move(header);
    FillBlack(dc);
    EndDrawing();
    m_hDrawDib = ::DrawDibOpen();
    if (!m_hDrawDib) {
        ::OutputDebugStringA("Orvello: DrawDibOpen failed\n");
        return;
    }
    ::DrawDibBegin(m_hDrawDib, dc, width, height, m_pHeader.get(), width, height, DDF_ANIMATE);
}

void CPreviewWnd::Draw(const BYTE* frame) {
    if (!frame || !m_hDrawDib || !m_pHeader) return;
    ::DrawDibDraw(m_hDrawDib, m_hDc, 0, 0, -1, -1, m_pHeader.get(), const_cast<BYTE*>(frame), 0, 0, m_nWidth,
                  m_nHeight, DDF_SAME_HDC | DDF_SAME_DRAW);
}

BOOL CPreviewWnd::PreTranslateMessage(MSG* msg) {
    // Enter and Escape would end a dialog: the preview ignores them.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

BOOL CPreviewWnd::OnEraseBkgnd(HDC dc) {
    CDialog::OnEraseBkgnd(dc);
    FillBlack(dc);
    return TRUE;
}

void CPreviewWnd::OnLButtonDown(UINT, CPoint point) {
    m_anchor = point;
    m_anchorCopy = point;
    m_bDragging = 1;
    ::SetCapture(m_hWnd);
}

void CPreviewWnd::OnMouseMove(UINT, CPoint point) {
    if (!m_bDragging) return;
    RECT window;
    GetWindowRect(&window);
    const int dx = point.x - m_anchor.x;
    const int dy = point.y - m_anchor.y;
    ::SetWindowPos(m_hWnd, nullptr, window.left + dx, window.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPreviewWnd::EndDrag() {
    if (!m_bDragging) return;
    ::ReleaseCapture();
    ::ClipCursor(nullptr);
    m_bDragging = 0;
}

void CPreviewWnd::OnLButtonUp(UINT, CPoint) {
    EndDrag();
}

void CPreviewWnd::OnDestroy() {
    CDialog::OnDestroy();
    EndDrag();
    EndDrawing();
    if (m_hOwnDc) {
        if (m_hDc == m_hOwnDc) m_hDc = nullptr;
        ::ReleaseDC(m_hWnd, m_hOwnDc);
        m_hOwnDc = nullptr;
    }
}

void CPreviewWnd::OnClose() {
    CDialog::OnClose();
    // Closing the preview ends the program: the owner's modal run sees the quit request.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const DWORD thread = owner ? ::GetWindowThreadProcessId(owner, nullptr) : ::GetCurrentThreadId();
    ::PostThreadMessage(thread, WM_QUIT, 0, 0);
}

void CPreviewWnd::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    if (cx == 0 && cy == 0) {  // minimised
        previewRestore = 1;
        return;
    }
    if (!previewRestore) return;
    // Restored after a minimise: the client area gets the display size back.
    RECT window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int frameWidth = (window.right - window.left) - (client.right - client.left);
    const int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
    const int left = window.left < 0 ? 0 : window.left;
    previewRestore = 0;  // first: the resize below sends another size message
    ::SetWindowPos(m_hWnd, nullptr, left, window.top, m_nWidth + frameWidth, m_nHeight + frameHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}
