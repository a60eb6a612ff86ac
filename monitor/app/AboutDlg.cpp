#include "monitor/app/AboutDlg.h"

#include "framework/DataExchange.h"
#include "framework/Handles.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/resources/artwork/AboutPicture.h"
#include "monitor/resources/artwork/ArtworkIds.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDOK, m_btnOk);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    HICON icon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_ICON_PROGRAM));
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    m_clicks = about::ClickSequence();
    const std::string credit = about::UnscrambleCredit(about::kScrambledCredit, about::kCreditLength);
    SetDlgItemText(IDC_ABOUT_CREDIT, credit.c_str());
    return TRUE;
}

void CAboutDlg::OnLButtonUp(UINT flags, CPoint point) {
    m_clicks.LeftRelease();
    CDialog::OnLButtonUp(flags, point);
}

void CAboutDlg::OnRButtonDown(UINT flags, CPoint point) {
    if (m_clicks.RightPress()) PaintPicture();
    CDialog::OnRButtonDown(flags, point);
}

void CAboutDlg::OnRButtonUp(UINT flags, CPoint point) {
    if (m_clicks.RightRelease())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    CDialog::OnRButtonUp(flags, point);
}

void CAboutDlg::PaintPicture() {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = orvello_artwork::kAboutPictureWidth;
    info.bmiHeader.biHeight = orvello_artwork::kAboutPictureHeight;  // bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    ScopedGetDc dc(m_hWnd);
    if (!dc.Get()) return;
    ::SetDIBitsToDevice(dc.Get(), 0, 0, orvello_artwork::kAboutPictureWidth,
                        orvello_artwork::kAboutPictureHeight, 0, 0, 0, orvello_artwork::kAboutPictureHeight,
                        orvello_artwork::kAboutPicture, &info, DIB_RGB_COLORS);
}
