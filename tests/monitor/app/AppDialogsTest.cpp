// The splash screen and the About box on screen, driven through the modal seam.
#include <gtest/gtest.h>

#include "tests/support/ModalScript.h"
#include "monitor/app/AboutDlg.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/SplashDlg.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/resources/artwork/AboutPicture.h"

namespace {

COLORREF PicturePixel(int x, int y) {
    const int row = orvello_artwork::kAboutPictureHeight - 1 - y;  // rows are bottom-up
    const unsigned char* p =
        orvello_artwork::kAboutPicture + (row * orvello_artwork::kAboutPictureWidth + x) * 3;
    return RGB(p[2], p[1], p[0]);
}

// How many of a grid of sample points in the box's top-left 160 x 120 show the hidden picture.
int PictureMatches(HWND box) {
    HDC dc = ::GetDC(box);
    int matches = 0;
    for (int y = 4; y < 120; y += 23)
        for (int x = 3; x < 160; x += 31)
            if (::GetPixel(dc, x, y) == PicturePixel(x, y)) ++matches;
    ::ReleaseDC(box, dc);
    return matches;  // of 36
}

void Send(CWnd& wnd, UINT message, int x = 200, int y = 60) {
    wnd.SendMessage(message, 0, MAKELPARAM(x, y));
}

TEST(AppDialogsTest, SplashShowsItsPictureDisabledAndClosesOnTimerTwo) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_SPLASH, [](CDialog& dlg) {
        RECT r;
        dlg.GetWindowRect(&r);
        EXPECT_EQ(r.right - r.left, 600);
        EXPECT_EQ(r.bottom - r.top, 430);
        RECT area;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR(r.left + 300, (area.left + area.right) / 2, 1);
        EXPECT_NEAR(r.top + 215, (area.top + area.bottom) / 2, 1);
        EXPECT_FALSE(dlg.IsWindowEnabled());
        EXPECT_EQ(dlg.GetStyle() & (WS_CAPTION | WS_BORDER), 0u);
        EXPECT_FALSE(dlg.IsEnded());
        dlg.SendMessage(WM_TIMER, CSplashDlg::kCloseTimer);
        EXPECT_TRUE(dlg.IsEnded());
    });
    CSplashDlg splash;
    EXPECT_EQ(splash.DoModal(), IDOK);
}

TEST(AppDialogsTest, AboutBoxShowsTheCreditLineAndTheProgramIcon) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_ABOUTBOX, [](CDialog& dlg) {
        CString credit;
        dlg.GetDlgItemText(IDC_ABOUT_CREDIT, credit);
        EXPECT_EQ(credit, CString("Orvello by Halmere 2026"));
        EXPECT_NE(dlg.SendMessage(WM_GETICON, ICON_BIG), 0);
        EXPECT_NE(dlg.SendMessage(WM_GETICON, ICON_SMALL), 0);
        EXPECT_TRUE(fw::PressButton(dlg, IDOK));
    });
    CAboutDlg about;
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST(AppDialogsTest, FourLeftClicksAndARightPressPaintTheHiddenPictureUntilTheRightRelease) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_ABOUTBOX, [](CDialog& dlg) {
        auto& about = static_cast<CAboutDlg&>(dlg);
        about.ShowWindow(SW_SHOW);
        about.UpdateWindow();
        EXPECT_LT(PictureMatches(about.m_hWnd), 6);
        for (int i = 0; i < 4; ++i) Send(about, WM_LBUTTONUP);
        Send(about, WM_RBUTTONDOWN);
        EXPECT_TRUE(about.IsPictureShown());
        EXPECT_GE(PictureMatches(about.m_hWnd), 34);
        Send(about, WM_RBUTTONUP);
        EXPECT_FALSE(about.IsPictureShown());
        EXPECT_EQ(about.ClickCount(), 10);
        EXPECT_LT(PictureMatches(about.m_hWnd), 6);
        // Closed for this opening of the box.
        for (int i = 0; i < 4; ++i) Send(about, WM_LBUTTONUP);
        Send(about, WM_RBUTTONDOWN);
        EXPECT_FALSE(about.IsPictureShown());
    });
    CAboutDlg about;
    about.DoModal();
}

TEST(AppDialogsTest, FiveLeftClicksAndARightPressShowNothing) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_ABOUTBOX, [](CDialog& dlg) {
        auto& about = static_cast<CAboutDlg&>(dlg);
        about.ShowWindow(SW_SHOW);
        about.UpdateWindow();
        for (int i = 0; i < 5; ++i) Send(about, WM_LBUTTONUP);
        Send(about, WM_RBUTTONDOWN);
        EXPECT_FALSE(about.IsPictureShown());
        EXPECT_LT(PictureMatches(about.m_hWnd), 6);
    });
    CAboutDlg about;
    about.DoModal();
}

TEST(AppDialogsTest, EveryOpeningStartsTheCountAgain) {
    for (int run = 0; run < 2; ++run) {
        fw::ModalScript script;
        script.OnNextDialog(IDD_ABOUTBOX, [](CDialog& dlg) {
            auto& about = static_cast<CAboutDlg&>(dlg);
            EXPECT_EQ(about.ClickCount(), 0);
            for (int i = 0; i < 4; ++i) Send(about, WM_LBUTTONUP);
            Send(about, WM_RBUTTONDOWN);
            EXPECT_TRUE(about.IsPictureShown());
        });
        CAboutDlg about;
        about.DoModal();
    }
}

TEST(AppDialogsTest, SettingsResetToTheirDefaults) {
    motionStillPath = "c:\\x\\y";
    alarmSoundPath = "a.wav";
    motionMode = 9;
    previewRestore = 1;
    videoCompressorIndex = audioCompressorIndex = audioDeviceIndex = 3;
    aviPathChanged = 1;
    masterStream = 2;
    aviPath = "c:\\a.avi";
    timerShotPath = "c:\\t.bmp";
    timerShotSeconds = 60;
    ResetMonitorSettings();
    EXPECT_TRUE(motionStillPath.IsEmpty() && alarmSoundPath.IsEmpty() && aviPath.IsEmpty() &&
                timerShotPath.IsEmpty());
    EXPECT_EQ(motionMode, 255);
    EXPECT_EQ(previewRestore, 0);
    EXPECT_EQ(videoCompressorIndex + audioCompressorIndex + audioDeviceIndex, 0);
    EXPECT_EQ(aviPathChanged, 0);
    EXPECT_EQ(masterStream, 1);
    EXPECT_EQ(timerShotSeconds, 5);
}

}  // namespace
