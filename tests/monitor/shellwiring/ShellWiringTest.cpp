// The main window's tray icon and skinned buttons, through the real window: what it tells the shell
// (recorded), the tray menu while the window is shown and while it is in the tray, the double click
// on the icon, the shell's restart, the size buttons' radio group and the icon's removal at the end.
#include <gtest/gtest.h>

#include <vector>

#include "monitor/resources/MonitorIds.h"
#include "monitor/shell/SystemTray.h"
#include "tests/monitor/window/MonitorHarness.h"

using namespace monitor_test;

namespace {

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA data;
};
std::vector<ShellCall> g_calls;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    g_calls.push_back({message, *data});
    return TRUE;
}

class ShellWiringTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        g_calls.clear();
        CSystemTray::SetShellNotify(&RecordShellCall);
    }
    void TearDown() override { CSystemTray::SetShellNotify(nullptr); }
};

int CountCalls(DWORD message) {
    int count = 0;
    for (const ShellCall& call : g_calls) count += call.message == message;
    return count;
}

// The state of a tray menu item as the menu would open now.
UINT ItemState(CMonitorDlg& dlg, UINT id) {
    return ::GetMenuState(::GetSubMenu(dlg.m_tray.GetTrayMenu(), 0), id, MF_BYCOMMAND);
}
bool IsGreyed(CMonitorDlg& dlg, UINT id) {
    return (ItemState(dlg, id) & MF_GRAYED) != 0;
}

bool IsShown(CMonitorDlg& dlg) {
    return (::GetWindowLong(dlg.m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

// A click with the left button in the middle of a control, as the control receives it.
void Click(CMonitorDlg& dlg, int id) {
    HWND button = ::GetDlgItem(dlg.m_hWnd, id);
    RECT r;
    ::GetClientRect(button, &r);
    const LPARAM middle = MAKELPARAM(r.right / 2, r.bottom / 2);
    ::SendMessage(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    ::SendMessage(button, WM_LBUTTONUP, 0, middle);
}

std::vector<int> CheckedSizeButtons(CMonitorDlg& dlg) {
    std::vector<int> checked;
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1071})
        if (::SendMessage(::GetDlgItem(dlg.m_hWnd, id), BM_GETCHECK, 0, 0) == BST_CHECKED)
            checked.push_back(id);
    return checked;
}

TEST_F(ShellWiringTest, IconIsAddedOnceAfterTheSplashWithTheWindowsCallbackAndTooltip) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        ASSERT_EQ(CountCalls(NIM_ADD), 1);
        const NOTIFYICONDATAA& add = g_calls[0].data;
        EXPECT_EQ(add.hWnd, dlg.m_hWnd);
        EXPECT_EQ(add.uID, 194u);
        EXPECT_EQ(add.uCallbackMessage, 32778u);
        EXPECT_STREQ(add.szTip, "Halmere");
        EXPECT_EQ(add.hIcon, dlg.m_hIcon);
        EXPECT_EQ(add.uFlags & (NIF_MESSAGE | NIF_ICON | NIF_TIP), UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
        EXPECT_EQ(add.uFlags & NIF_INFO, 0u);
        EXPECT_EQ(dlg.m_tray.GetTargetWindow(), &dlg);
        EXPECT_FALSE(dlg.m_tray.IsRemoved());
        EXPECT_FALSE(dlg.m_tray.IsHidden());
    });
    ASSERT_GE(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].templateId, static_cast<UINT>(IDD_SPLASH));
}

TEST_F(ShellWiringTest, MinimizeAndShowMoveTheWindowThroughTheTrayAndSwitchTheMenu) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        // Shown: "Show" greyed, "Exit" enabled, no default item.
        EXPECT_TRUE(IsGreyed(dlg, ID_TRAY_SHOW));
        EXPECT_FALSE(IsGreyed(dlg, ID_TRAY_EXIT));
        EXPECT_EQ(::GetMenuDefaultItem(::GetSubMenu(dlg.m_tray.GetTrayMenu(), 0), FALSE, 0), UINT(-1));
        dlg.ShowWindow(SW_SHOWNA);

        ASSERT_TRUE(fw::PressButton(dlg, IDC_MINIMIZE));
        EXPECT_EQ(dlg.m_bInTray, 1);
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_FALSE(IsShown(dlg));
        EXPECT_EQ(::GetAncestor(dlg.m_hWnd, GA_PARENT), CSystemTray::GetHolderWindow());  // off the taskbar
        EXPECT_FALSE(IsGreyed(dlg, ID_TRAY_SHOW));
        EXPECT_FALSE(IsGreyed(dlg, ID_TRAY_EXIT));
        EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
        EXPECT_EQ(CountCalls(NIM_DELETE), 0);  // the icon stays while the window is in the tray

        dlg.SendMessage(WM_COMMAND, ID_TRAY_SHOW);
        EXPECT_EQ(dlg.m_bInTray, 0);
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_TRUE(IsShown(dlg));
        EXPECT_EQ(::GetAncestor(dlg.m_hWnd, GA_PARENT), ::GetDesktopWindow());
        EXPECT_TRUE(IsGreyed(dlg, ID_TRAY_SHOW));
        EXPECT_FALSE(IsGreyed(dlg, ID_TRAY_EXIT));
        // The tick runs on after the round trip.
        const int frames = yscap_double::Script().framesDelivered;
        Tick(dlg);
        EXPECT_EQ(yscap_double::Script().framesDelivered, frames + 1);
    });
}

TEST_F(ShellWiringTest, DoubleClickOnTheIconRestoresOnlyFromTheTray) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        dlg.ShowWindow(SW_SHOWNA);
        // Shown: the double click is passed on to the tray, which only brings the window forward.
        dlg.SendMessage(WM_TRAY_CALLBACK, 194, WM_LBUTTONDBLCLK);
        EXPECT_EQ(dlg.m_bInTray, 0);
        EXPECT_TRUE(IsShown(dlg));
        EXPECT_TRUE(IsGreyed(dlg, ID_TRAY_SHOW));

        ASSERT_TRUE(fw::PressButton(dlg, IDC_MINIMIZE));
        // Other notifications leave the window in the tray.
        dlg.SendMessage(WM_TRAY_CALLBACK, 194, WM_LBUTTONDOWN);
        dlg.SendMessage(WM_TRAY_CALLBACK, 194, WM_LBUTTONUP);
        EXPECT_EQ(dlg.m_bInTray, 1);
        EXPECT_FALSE(IsShown(dlg));

        dlg.SendMessage(WM_TRAY_CALLBACK, 194, WM_LBUTTONDBLCLK);
        EXPECT_EQ(dlg.m_bInTray, 0);
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_TRUE(IsShown(dlg));
        EXPECT_EQ(::GetAncestor(dlg.m_hWnd, GA_PARENT), ::GetDesktopWindow());
        EXPECT_TRUE(IsGreyed(dlg, ID_TRAY_SHOW));
    });
}

TEST_F(ShellWiringTest, ShellRestartAddsTheIconAgainWithTheSameTooltip) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        ASSERT_EQ(CountCalls(NIM_ADD), 1);
        ::SendMessage(dlg.m_tray.m_hWnd, CSystemTray::TaskbarCreatedMessage(), 0, 0);
        ASSERT_EQ(CountCalls(NIM_ADD), 2);
        const NOTIFYICONDATAA& again = g_calls.back().data;
        EXPECT_EQ(g_calls.back().message, DWORD(NIM_ADD));
        EXPECT_STREQ(again.szTip, "Halmere");
        EXPECT_EQ(again.hWnd, dlg.m_hWnd);
        EXPECT_EQ(again.uCallbackMessage, 32778u);
        EXPECT_EQ(again.uID, 194u);

        // Also while the window is in the tray: the icon is the way back.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_MINIMIZE));
        ::SendMessage(dlg.m_tray.m_hWnd, CSystemTray::TaskbarCreatedMessage(), 0, 0);
        EXPECT_EQ(CountCalls(NIM_ADD), 3);
        EXPECT_STREQ(g_calls.back().data.szTip, "Halmere");
    });
}

TEST_F(ShellWiringTest, SizeButtonsStayOneExclusiveGroupUnderTheMouse) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        EXPECT_EQ(CheckedSizeButtons(dlg), std::vector<int>{1000});
        for (int id : {1002, 1071, 1004, 1001, 1000}) {
            Click(dlg, id);
            fw::PumpMessages();  // the other radios' clear messages are posted
            EXPECT_EQ(CheckedSizeButtons(dlg), std::vector<int>{id}) << id;
        }
        // The last click reopened the camera at 320 x 240.
        EXPECT_EQ(dlg.m_nSizeMode, 0);
        EXPECT_EQ(dlg.m_nDispWidth, 320);
        // Clicking the checked one leaves it checked.
        Click(dlg, 1000);
        fw::PumpMessages();
        EXPECT_EQ(CheckedSizeButtons(dlg), std::vector<int>{1000});
        // The clock button is outside the group.
        Click(dlg, IDC_CLOCK);
        fw::PumpMessages();
        EXPECT_EQ(CheckedSizeButtons(dlg), std::vector<int>{1000});
    });
}

TEST_F(ShellWiringTest, ClosingHidesAndRemovesTheIcon) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        const size_t before = g_calls.size();
        ASSERT_TRUE(fw::PressButton(dlg, IDC_CLOSE));
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        ASSERT_GE(g_calls.size(), before + 1);
        EXPECT_EQ(g_calls.back().message, DWORD(NIM_DELETE));
        EXPECT_EQ(g_calls.back().data.uID, 194u);
        EXPECT_EQ(CountCalls(NIM_DELETE), 1);
        EXPECT_TRUE(dlg.m_tray.IsRemoved());
        EXPECT_TRUE(dlg.m_tray.IsHidden());
    });
    EXPECT_EQ(CountCalls(NIM_DELETE), 1);  // not deleted a second time when the tray object goes
}

TEST_F(ShellWiringTest, TrayExitEndsTheProgramAndRemovesTheIcon) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_MINIMIZE));
        dlg.SendMessage(WM_COMMAND, ID_TRAY_EXIT);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        EXPECT_EQ(dlg.m_bStop, 1);
        EXPECT_EQ(CountCalls(NIM_DELETE), 1);
    });
}

}  // namespace
