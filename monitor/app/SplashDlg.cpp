#include "monitor/app/SplashDlg.h"

#include "monitor/resources/MonitorIds.h"
#include "monitor/resources/artwork/ArtworkIds.h"

BEGIN_MESSAGE_MAP(CSplashDlg, CDialog)
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
ON_WM_TIMER()
END_MESSAGE_MAP()

CSplashDlg::CSplashDlg(CWnd* parent) : CDialog(IDD_SPLASH, parent) {}

BOOL CSplashDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_ICON_PROGRAM));
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    m_picture.Reset(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_BMP_SPLASH)));
    EnableWindow(FALSE);
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    SetTimer(kCloseTimer, kShowMilliseconds);
    return TRUE;
}

BOOL CSplashDlg::OnEraseBkgnd(HDC dc) {
    if (!m_picture) return CDialog::OnEraseBkgnd(dc);
    ScopedDc memory(::CreateCompatibleDC(dc));
    if (!memory) return CDialog::OnEraseBkgnd(dc);
    ScopedSelect select(memory.Get(), m_picture.Get());
    ::BitBlt(dc, 0, 0, kWidth, kHeight, memory.Get(), 0, 0, SRCCOPY);
    return TRUE;
}

BOOL CSplashDlg::OnSetCursor(CWnd*, UINT, UINT) {
    ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    return TRUE;
}

void CSplashDlg::OnTimer(UINT_PTR id) {
    if (id != kCloseTimer) {
        CDialog::OnTimer(id);
        return;
    }
    ::SetCursor(::LoadCursor(nullptr, IDC_APPSTARTING));
    KillTimer(kCloseTimer);
    EndDialog(IDOK);
}
