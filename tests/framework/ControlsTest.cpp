#include "framework/Framework.h"
#include "tests/support/ModalScript.h"
#include "tests/framework/TestIds.h"

#include <gtest/gtest.h>

namespace {

// A button that makes itself owner-drawn when it is bound, as a gradient button does.
class CSelfDrawnButton : public CButton {
  public:
    void PreSubclassWindow() override {
        CButton::PreSubclassWindow();
        ModifyStyle(0, BS_OWNERDRAW);
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
    int draws = 0;
};

class CControlsDlg : public CDialog {
  public:
    CControlsDlg() : CDialog(IDD_CONTROLS) {}
    CRichEditCtrl m_text;
    CSliderCtrl m_mosaic;
    CSpinButtonCtrl m_spin;
    CSelfDrawnButton m_drawn;
    CToolTipCtrl m_tips;
    CString m_strText = _T("overlay");
    int scrolls = 0;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_TEXT_BOX, m_text);
        DDX_Control(dx, IDC_MOSAIC, m_mosaic);
        DDX_Control(dx, IDC_SPIN, m_spin);
        DDX_Control(dx, IDC_OWNER_DRAWN, m_drawn);
        DDX_Text(dx, IDC_TEXT_BOX, m_strText);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_mosaic.SetRange(0, 24);
        m_mosaic.SetPageSize(4);
        m_spin.SetRange32(1, 3600);
        m_spin.SetPos(5);
        m_tips.Create(this);
        m_tips.AddTool(&m_drawn, _T("Close"));
        return TRUE;
    }
    afx_msg void OnVScroll(UINT code, UINT pos, CWnd* bar) {
        if (bar && bar->m_hWnd == m_mosaic.m_hWnd) ++scrolls;
        CDialog::OnVScroll(code, pos, bar);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlsDlg, CDialog)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

TEST(Controls, BoundControlsWorkInsideADialog) {
    ASSERT_TRUE(AfxInitRichEdit2());
    fw::ModalScript script;
    CControlsDlg dlg;
    script.OnNextDialog([](CDialog& d) {
        auto& c = static_cast<CControlsDlg&>(d);
        CString text;
        c.m_text.GetWindowText(text);
        EXPECT_EQ(text, CString(_T("overlay")));

        CHARFORMAT cf = {};
        cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD;
        cf.dwEffects = CFE_BOLD;
        cf.yHeight = 360;
        lstrcpy(cf.szFaceName, _T("Arial"));
        EXPECT_TRUE(c.m_text.SetDefaultCharFormat(cf));
        CHARFORMAT back = {};
        c.m_text.GetDefaultCharFormat(back);
        EXPECT_EQ(CString(back.szFaceName), CString(_T("Arial")));
        EXPECT_EQ(back.yHeight, 360);
        EXPECT_NE(back.dwEffects & CFE_BOLD, 0u);

        EXPECT_EQ(c.m_mosaic.GetRangeMin(), 0);
        EXPECT_EQ(c.m_mosaic.GetRangeMax(), 24);
        EXPECT_EQ(c.m_mosaic.GetPageSize(), 4);
        c.m_mosaic.SetPos(7);
        EXPECT_EQ(c.m_mosaic.GetPos(), 7);
        c.m_mosaic.SendMessage(WM_KEYDOWN, VK_DOWN, 0);  // the slider tells its parent
        EXPECT_GE(c.scrolls, 1);

        CString seconds;
        c.GetDlgItemText(IDC_SPIN_EDIT, seconds);
        EXPECT_EQ(seconds, CString(_T("5")));  // the up-down writes its buddy
        EXPECT_EQ(c.m_spin.GetPos(), 5);

        EXPECT_NE(c.m_drawn.GetStyle() & BS_OWNERDRAW, 0u);
        EXPECT_EQ(c.m_tips.GetToolCount(), 1);

        c.m_text.SetWindowText(_T("typed"));
        fw::PressButton(c, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_strText, CString(_T("typed")));
    EXPECT_EQ(dlg.m_text.m_hWnd, nullptr);  // controls are released with the dialog
    EXPECT_EQ(dlg.m_tips.m_hWnd, nullptr);
}

}  // namespace
