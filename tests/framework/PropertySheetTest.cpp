#include "framework/Framework.h"
#include "tests/support/ModalScript.h"
#include "tests/framework/TestIds.h"

#include <gtest/gtest.h>

namespace {

class CCounterPage : public CPropertyPage {
  public:
    explicit CCounterPage(UINT id = IDD_PAGE) : CPropertyPage(id) {}
    UINT m_nCounter = 42;
    int m_bMirror = 0;
    int m_nSize = 1;
    int okCalls = 0, cancelCalls = 0, mirrorClicks = 0;
    CString storedOnOk;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, IDC_COUNTER, m_nCounter);
        DDV_MinMaxUInt(dx, m_nCounter, 0, 99999);
        if (GetDlgItem(IDC_MIRROR)) DDX_Check(dx, IDC_MIRROR, m_bMirror);
        if (GetDlgItem(IDC_SIZES)) DDX_CBIndex(dx, IDC_SIZES, m_nSize);
    }
    void OnOK() override {
        ++okCalls;
        storedOnOk.Format(_T("%u"), m_nCounter);
    }
    void OnCancel() override { ++cancelCalls; }
    afx_msg void OnMirror() { ++mirrorClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCounterPage, CPropertyPage)
ON_BN_CLICKED(IDC_MIRROR, &CCounterPage::OnMirror)
END_MESSAGE_MAP()

class CConfigSheet : public CPropertySheet {
  public:
    CConfigSheet() : CPropertySheet(_T("Config")) {
        m_psh.dwFlags &= ~PSH_HASHELP;
        m_psh.dwFlags |= PSH_NOAPPLYNOW;
        AddPage(&page);
        AddPage(&second);
    }
    BOOL OnInitDialog() override {
        ++inits;
        return CPropertySheet::OnInitDialog();
    }
    CCounterPage page;
    CCounterPage second{IDD_PAGE2};
    int inits = 0;
};

TEST(CPropertySheetTest, OkReachesTheCreatedPageWhichStoresWhatWasEntered) {
    fw::ModalScript script;
    CConfigSheet sheet;
    script.OnNextSheet([](CPropertySheet& s) {
        auto* page = static_cast<CCounterPage*>(s.GetActivePage());
        ASSERT_EQ(page, s.GetPage(0));
        // The list comes from the template's initialisation data, the selection from the member.
        ASSERT_EQ(page->SendDlgItemMessage(IDC_SIZES, CB_GETCOUNT), 3);
        CString third;
        CComboBox sizes;
        sizes.m_hWnd = ::GetDlgItem(page->m_hWnd, IDC_SIZES);  // a plain view of the control
        sizes.GetLBText(2, third);
        EXPECT_EQ(third, CString(_T("3876*2584")));
        EXPECT_EQ(page->SendDlgItemMessage(IDC_SIZES, CB_GETCURSEL), 1);
        page->SetDlgItemText(IDC_COUNTER, _T("99999"));
        page->SendDlgItemMessage(IDC_SIZES, CB_SETCURSEL, 2);
        page->SendDlgItemMessage(IDC_MIRROR, BM_CLICK);  // the page's own handler sees the click
        s.PressButton(PSBTN_OK);
        EXPECT_TRUE(s.IsEnded());
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.inits, 1);
    EXPECT_EQ(sheet.page.okCalls, 1);
    EXPECT_EQ(sheet.page.cancelCalls, 0);
    EXPECT_EQ(sheet.page.m_nCounter, 99999u);
    EXPECT_EQ(sheet.page.storedOnOk, CString(_T("99999")));
    EXPECT_EQ(sheet.page.m_bMirror, 1);
    EXPECT_EQ(sheet.page.m_nSize, 2);
    EXPECT_EQ(sheet.page.mirrorClicks, 1);
    EXPECT_EQ(sheet.second.okCalls, 0);  // never shown, never created
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].caption, CString(_T("Config")));
    EXPECT_EQ(script.dialogs[0].result, IDOK);
}

TEST(CPropertySheetTest, CancelReachesThePageAndStoresNothing) {
    fw::ModalScript script;
    CConfigSheet sheet;
    script.OnNextSheet([](CPropertySheet& s) {
        s.GetPage(0)->SetDlgItemText(IDC_COUNTER, _T("7"));
        s.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(sheet.page.cancelCalls, 1);
    EXPECT_EQ(sheet.page.okCalls, 0);
    EXPECT_EQ(sheet.page.m_nCounter, 42u);
}

TEST(CPropertySheetTest, InvalidValueKeepsTheSheetOpenUntilCorrected) {
    fw::ModalScript script;
    CConfigSheet sheet;
    script.OnNextSheet([&script](CPropertySheet& s) {
        CPropertyPage* page = s.GetPage(0);
        page->SetDlgItemText(IDC_COUNTER, _T("100000"));
        s.PressButton(PSBTN_OK);
        EXPECT_FALSE(s.IsEnded());
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString(_T("Please enter an integer between 0 and 99999.")));
        page->SetDlgItemText(IDC_COUNTER, _T("12"));
        s.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.page.m_nCounter, 12u);
    EXPECT_EQ(sheet.page.okCalls, 1);
}

TEST(CPropertySheetTest, BothCreatedPagesGetOk) {
    fw::ModalScript script;
    CConfigSheet sheet;
    script.OnNextSheet([](CPropertySheet& s) {
        ASSERT_TRUE(s.SetActivePage(1));
        s.GetPage(1)->SetDlgItemText(IDC_COUNTER, _T("8"));
        s.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(sheet.page.okCalls, 1);
    EXPECT_EQ(sheet.second.okCalls, 1);
    EXPECT_EQ(sheet.second.m_nCounter, 8u);
}

// Without a hook the sheet runs its own message loop; a timer plays the user and clicks OK.
void CALLBACK ClickOkOnTheSheet(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND sheet = ::FindWindow(nullptr, _T("Config"));
    if (!sheet) return;
    ::KillTimer(nullptr, timer);
    HWND page = reinterpret_cast<HWND>(::SendMessage(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ::SetDlgItemText(page, IDC_COUNTER, _T("31"));
    ::PostMessage(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
}

TEST(CPropertySheetTest, RealModalLoopEndsWhenTheUserPressesOk) {
    ASSERT_EQ(fw::GetModalHook(), nullptr);
    CConfigSheet sheet;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, ClickOkOnTheSheet);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(sheet.page.m_nCounter, 31u);
    EXPECT_EQ(sheet.page.okCalls, 1);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

}  // namespace
