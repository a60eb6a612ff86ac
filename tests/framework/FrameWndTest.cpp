#include "framework/Framework.h"
#include "tests/framework/TestIds.h"

#include <gtest/gtest.h>

namespace {

class CTestView : public CWnd {
  public:
    int viewCommands = 0;
    afx_msg void OnViewCommand() { ++viewCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestView, CWnd)
ON_COMMAND(ID_CMD_VIEW, &CTestView::OnViewCommand)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
  public:
    explicit CTestFrame(bool* destroyed) : destroyed_(destroyed) {}
    ~CTestFrame() override { *destroyed_ = true; }

    CTestView view;
    CStatusBar status;
    bool previewing = false;
    int plainCommands = 0, frameViewCommands = 0;

    afx_msg int OnCreate(LPCREATESTRUCT cs) {
        if (CFrameWnd::OnCreate(cs) == -1) return -1;
        if (!view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), this, AFX_IDW_PANE_FIRST))
            return -1;
        static const UINT indicators[] = {IDS_INDICATOR};
        if (!status.Create(this) || !status.SetIndicators(indicators, 1)) return -1;
        return 0;
    }
    afx_msg void OnPlain() { ++plainCommands; }
    afx_msg void OnGreyed() {}
    afx_msg void OnChecked() {}
    afx_msg void OnViewCommandInFrame() { ++frameViewCommands; }
    afx_msg void OnUpdateGreyed(CCmdUI* ui) { ui->Enable(previewing); }
    afx_msg void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(previewing ? 1 : 0); }
    DECLARE_MESSAGE_MAP()

  private:
    bool* destroyed_;
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(ID_CMD_PLAIN, &CTestFrame::OnPlain)
ON_COMMAND(ID_CMD_GREYED, &CTestFrame::OnGreyed)
ON_COMMAND(ID_CMD_CHECKED, &CTestFrame::OnChecked)
ON_COMMAND(ID_CMD_VIEW, &CTestFrame::OnViewCommandInFrame)
ON_UPDATE_COMMAND_UI(ID_CMD_GREYED, &CTestFrame::OnUpdateGreyed)
ON_UPDATE_COMMAND_UI(ID_CMD_CHECKED, &CTestFrame::OnUpdateChecked)
END_MESSAGE_MAP()

UINT StateOf(HMENU menu, UINT id) {
    return ::GetMenuState(menu, id, MF_BYCOMMAND);
}

TEST(FrameWnd, MenuItemsAreEnabledByTheirUpdateHandlersAndCommandsReachTheViewFirst) {
    bool destroyed = false;
    auto* frame = new CTestFrame(&destroyed);
    ASSERT_TRUE(frame->LoadFrame(IDR_FRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    CString title;
    frame->GetWindowText(title);
    EXPECT_EQ(title, CString(_T("Test Frame")));
    HMENU popup = ::GetSubMenu(frame->GetMenu(), 0);
    ASSERT_NE(popup, nullptr);

    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    EXPECT_EQ(StateOf(popup, ID_CMD_PLAIN) & MF_GRAYED, 0u);      // has a handler
    EXPECT_NE(StateOf(popup, ID_CMD_GREYED) & MF_GRAYED, 0u);     // its update handler says no
    EXPECT_NE(StateOf(popup, ID_CMD_UNHANDLED) & MF_GRAYED, 0u);  // nobody handles it
    EXPECT_EQ(StateOf(popup, ID_CMD_CHECKED) & (MF_GRAYED | MF_CHECKED), 0u);
    EXPECT_EQ(StateOf(popup, ID_CMD_VIEW) & MF_GRAYED, 0u);  // the view handles it

    frame->previewing = true;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    EXPECT_EQ(StateOf(popup, ID_CMD_GREYED) & MF_GRAYED, 0u);
    EXPECT_NE(StateOf(popup, ID_CMD_CHECKED) & MF_CHECKED, 0u);

    frame->SendMessage(WM_COMMAND, ID_CMD_PLAIN);
    frame->SendMessage(WM_COMMAND, ID_CMD_VIEW);
    EXPECT_EQ(frame->plainCommands, 1);
    EXPECT_EQ(frame->view.viewCommands, 1);
    EXPECT_EQ(frame->frameViewCommands, 0);

    // The status bar sits at the bottom with its one pane; the view fills the rest.
    EXPECT_EQ(frame->status.GetPaneText(0), CString(_T("USB2.0 PC CAMERA     ")));
    frame->status.SetPaneText(0, _T("ready"));
    EXPECT_EQ(frame->status.GetPaneText(0), CString(_T("ready")));
    frame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
    CRect client, view, bar;
    frame->GetClientRect(&client);
    frame->view.GetWindowRect(&view);
    frame->status.GetWindowRect(&bar);
    EXPECT_EQ(view.Width(), client.Width());
    EXPECT_EQ(view.Height() + bar.Height(), client.Height());

    frame->DestroyWindow();
    EXPECT_TRUE(destroyed);  // the frame deletes itself with its window
}

}  // namespace
