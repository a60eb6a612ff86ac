// The tray icon under Wine. What the class tells the shell goes through a recorder; one test makes
// the real Shell_NotifyIconA calls.
#include "monitor/shell/SystemTray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Framework.h"
#include "tests/support/ModalScript.h"

namespace {

constexpr UINT kIconId = 194;
constexpr UINT kShow = 32771;
constexpr UINT kExit = 32772;
constexpr UINT kCallback = 0x800A;  // WM_APP + 10, as the main window uses

const UINT g_trayNotifyMessage = ::RegisterWindowMessageA("CSystemTray::TrayNotify");

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA data;
};
std::vector<ShellCall> g_calls;
BOOL g_shellAnswer = TRUE;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    g_calls.push_back({message, *data});
    return g_shellAnswer;
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        fw::PumpMessages();
        ::Sleep(10);
    }
}

// The main window's stand-in: what its menu looked like when it opened, and what the icon sent it.
class CTargetWnd : public CWnd {
  public:
    struct MenuSeen {
        UINT showState, exitState;
        UINT defaultItem;
    };
    std::vector<MenuSeen> menus;
    std::vector<WPARAM> trayNotifies;

    BOOL Make() {
        // Shown without activation: Wine then leaves it to no window manager and destroys it at once.
        return CreateEx(0, nullptr, _T("Halmere"), WS_POPUP, 300, 200, 200, 120, nullptr, nullptr) &&
               SetWindowPos(nullptr, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    afx_msg void OnInitMenuPopup(HMENU popup, UINT, BOOL) {
        menus.push_back({::GetMenuState(popup, kShow, MF_BYCOMMAND),
                         ::GetMenuState(popup, kExit, MF_BYCOMMAND), ::GetMenuDefaultItem(popup, FALSE, 0)});
    }
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM) {
        trayNotifies.push_back(wParam);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTargetWnd, CWnd)
ON_WM_INITMENUPOPUP()
ON_REGISTERED_MESSAGE(g_trayNotifyMessage, &CTargetWnd::OnTrayNotify)
END_MESSAGE_MAP()

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    ::EndMenu();
}

// Right-clicks the icon; the menu is closed again from a timer as soon as it is up.
void RightClickIcon(CSystemTray& tray) {
    ::SetTimer(nullptr, 0, 150, &CloseMenu);
    EXPECT_EQ(tray.OnTrayNotify(kIconId, WM_RBUTTONUP), 1);
    Settle();
}

class SystemTrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_calls.clear();
        g_shellAnswer = TRUE;
        previous = CSystemTray::SetShellNotify(&RecordShellCall);
        ASSERT_TRUE(target.Make());
        icon = ::LoadIcon(::GetModuleHandle(nullptr), MAKEINTRESOURCE(128));
        ASSERT_NE(icon, nullptr);
    }
    void TearDown() override {
        CSystemTray::SetShellNotify(previous);
        target.DestroyWindow();
        Settle();
    }
    // The main window's start: add, target, "Exit" on, "Show" greyed, no default item.
    void CreateAsTheMainWindowDoes(CSystemTray& tray, LPCSTR tip = "Halmere") {
        ASSERT_TRUE(
            tray.Create(&target, kCallback, tip, icon, kIconId, FALSE, nullptr, nullptr, NIIF_NONE, 10));
        tray.SetTargetWindow(&target);
        EXPECT_TRUE(tray.EnableMenuItem(kExit, TRUE));
        EXPECT_TRUE(tray.EnableMenuItem(kShow, FALSE));
        EXPECT_TRUE(tray.SetDefaultMenuItem(0, FALSE));
    }
    CSystemTray::ShellNotifyFn previous = nullptr;
    CTargetWnd target;
    HICON icon = nullptr;
};

TEST_F(SystemTrayTest, CreateAddsTheIconForTheMainWindowAndLoadsItsMenu) {
    CSystemTray tray;
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_TRUE(tray.IsRemoved());
    CreateAsTheMainWindowDoes(tray);

    ASSERT_EQ(g_calls.size(), 1u);
    const NOTIFYICONDATAA& added = g_calls[0].data;
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(added.cbSize, sizeof(void*) == 8 ? 504u : 488u);
    EXPECT_EQ(added.hWnd, target.m_hWnd);
    EXPECT_EQ(added.uID, kIconId);
    EXPECT_EQ(added.uCallbackMessage, kCallback);
    EXPECT_EQ(added.hIcon, icon);
    EXPECT_EQ(added.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_STREQ(added.szTip, "Halmere");
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());
    EXPECT_FALSE(tray.IsShowPending());
    EXPECT_TRUE(tray.IsNewShell());  // Wine reports an NT 6 system

    // The invisible window of its own, for the shell's broadcasts.
    ASSERT_NE(tray.m_hWnd, nullptr);
    EXPECT_FALSE(tray.IsWindowVisible());
    EXPECT_NE(tray.GetStyle() & WS_POPUP, 0u);

    HMENU popup = ::GetSubMenu(tray.GetTrayMenu(), 0);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(::GetMenuItemCount(popup), 2);
    char text[32];
    ::GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Show");
    ::GetMenuStringA(popup, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Exit");
    EXPECT_EQ(::GetMenuItemID(popup, 0), kShow);
    EXPECT_EQ(::GetMenuItemID(popup, 1), kExit);
}

TEST_F(SystemTrayTest, TextsAreCutToTheirFieldsAndTheBalloonShowsOnlyOnce) {
    const std::string longTip(200, 'x');
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, longTip.c_str(), icon, kIconId, FALSE,
                            std::string(300, 'b').c_str(), std::string(80, 't').c_str(), NIIF_INFO, 7));
    ASSERT_EQ(g_calls.size(), 1u);
    const NOTIFYICONDATAA& added = g_calls[0].data;
    EXPECT_EQ(std::string(added.szTip), std::string(127, 'x'));
    EXPECT_EQ(std::string(added.szInfo), std::string(255, 'b'));
    EXPECT_EQ(std::string(added.szInfoTitle), std::string(63, 't'));
    EXPECT_NE(added.uFlags & NIF_INFO, 0u);
    EXPECT_EQ(added.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(added.uTimeout, 7000u);

    // Re-adding after a shell restart keeps the tip and does not show the balloon again.
    tray.SendMessage(CSystemTray::TaskbarCreatedMessage());
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(std::string(g_calls[1].data.szTip), std::string(127, 'x'));
    EXPECT_EQ(g_calls[1].data.szInfo[0], '\0');
    EXPECT_EQ(g_calls[1].data.uFlags & NIF_INFO, 0u);

    // A tip of exactly 127 bytes stays whole; an empty one sends no tip.
    CSystemTray exact;
    ASSERT_TRUE(exact.Create(&target, kCallback, std::string(127, 'y').c_str(), icon, 195));
    EXPECT_EQ(std::string(exact.GetNotifyData().szTip), std::string(127, 'y'));
    CSystemTray none;
    ASSERT_TRUE(none.Create(&target, kCallback, "", icon, 196));
    EXPECT_EQ(none.GetNotifyData().uFlags & NIF_TIP, 0u);
}

TEST_F(SystemTrayTest, TaskbarCreatedAddsTheIconAgainWithTheSameTooltip) {
    CSystemTray tray;
    CreateAsTheMainWindowDoes(tray);
    g_calls.clear();

    // The shell broadcasts its restart to every top-level window.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(HWND_BROADCAST, CSystemTray::TaskbarCreatedMessage(), 0, 0, SMTO_ABORTIFHUNG, 2000,
                          &ignored);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_STREQ(g_calls[0].data.szTip, "Halmere");
    EXPECT_EQ(g_calls[0].data.uID, kIconId);
    EXPECT_EQ(g_calls[0].data.hWnd, target.m_hWnd);
    EXPECT_EQ(g_calls[0].data.hIcon, icon);
    EXPECT_EQ(g_calls[0].data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));

    // So does a change of the work area; other setting changes do not.
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER);
    EXPECT_EQ(g_calls.size(), 2u);

    // A hidden icon stays away.
    EXPECT_TRUE(tray.HideTrayIcon());
    g_calls.clear();
    tray.SendMessage(CSystemTray::TaskbarCreatedMessage());
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(SystemTrayTest, ARefusedIconIsAddedOnTheNextShellStart) {
    g_shellAnswer = FALSE;  // no taskbar yet
    CSystemTray tray;
    EXPECT_FALSE(tray.Create(&target, kCallback, "Halmere", icon, kIconId));
    EXPECT_TRUE(tray.IsShowPending());
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_TRUE(tray.IsRemoved());

    tray.SendMessage(CSystemTray::TaskbarCreatedMessage());  // still refused: still pending
    EXPECT_TRUE(tray.IsShowPending());
    g_shellAnswer = TRUE;
    tray.SendMessage(CSystemTray::TaskbarCreatedMessage());
    EXPECT_FALSE(tray.IsShowPending());
    EXPECT_FALSE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());
    ASSERT_EQ(g_calls.size(), 3u);
    EXPECT_STREQ(g_calls[2].data.szTip, "Halmere");
}

TEST_F(SystemTrayTest, TrayMenuStatesBeforeAndAfterHidingTheWindow) {
    CSystemTray tray;
    CreateAsTheMainWindowDoes(tray);

    // Visible window: "Show" greyed, "Exit" enabled, nothing bold.
    RightClickIcon(tray);
    ASSERT_EQ(target.menus.size(), 1u);
    EXPECT_NE(target.menus[0].showState & MF_GRAYED, 0u);
    EXPECT_EQ(target.menus[0].exitState & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(target.menus[0].defaultItem, static_cast<UINT>(-1));

    // Minimise to the tray (command 1054): off the taskbar, hidden, "Show" enabled.
    CSystemTray::MoveWindowToTray(&target);
    tray.EnableMenuItem(kShow, TRUE);
    EXPECT_FALSE(target.IsWindowVisible());
    ASSERT_NE(CSystemTray::GetHolderWindow(), nullptr);
    EXPECT_EQ(::GetAncestor(target.m_hWnd, GA_PARENT), CSystemTray::GetHolderWindow());
    EXPECT_FALSE(::IsWindowVisible(CSystemTray::GetHolderWindow()));
    RightClickIcon(tray);
    ASSERT_EQ(target.menus.size(), 2u);
    EXPECT_EQ(target.menus[1].showState & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(target.menus[1].exitState & (MF_GRAYED | MF_DISABLED), 0u);
    EXPECT_EQ(target.menus[1].defaultItem, static_cast<UINT>(-1));

    // "Show": back on the desktop, visible, where it was; "Show" greyed again.
    RECT before;
    target.GetWindowRect(&before);
    CSystemTray::RestoreWindowFromTray(&target);
    tray.EnableMenuItem(kShow, FALSE);
    Settle();
    EXPECT_TRUE(target.IsWindowVisible());
    EXPECT_EQ(::GetAncestor(target.m_hWnd, GA_PARENT), ::GetDesktopWindow());
    RECT after;
    target.GetWindowRect(&after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    RightClickIcon(tray);
    ASSERT_EQ(target.menus.size(), 3u);
    EXPECT_NE(target.menus[2].showState & MF_GRAYED, 0u);

    // A default item by position makes that item bold.
    EXPECT_TRUE(tray.SetDefaultMenuItem(1, TRUE));
    RightClickIcon(tray);
    ASSERT_EQ(target.menus.size(), 4u);
    EXPECT_EQ(target.menus[3].defaultItem, kExit);
}

TEST_F(SystemTrayTest, DoubleClickSendsTheDefaultCommandToTheTarget) {
    CSystemTray tray;
    CreateAsTheMainWindowDoes(tray);
    EXPECT_EQ(tray.OnTrayNotify(kIconId, WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(target.trayNotifies, std::vector<WPARAM>{0});  // no default item: id 0

    tray.SetDefaultMenuItem(1, TRUE);
    tray.OnTrayNotify(kIconId, WM_LBUTTONDBLCLK);
    tray.SetDefaultMenuItem(kShow, FALSE);
    tray.OnTrayNotify(kIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(target.trayNotifies, (std::vector<WPARAM>{0, kExit, kShow}));

    // Another icon's notification, or a plain mouse move: nothing.
    EXPECT_EQ(tray.OnTrayNotify(kIconId + 1, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(tray.OnTrayNotify(kIconId, WM_MOUSEMOVE), 1);
    EXPECT_EQ(target.trayNotifies.size(), 3u);
    EXPECT_TRUE(target.menus.empty());
}

TEST_F(SystemTrayTest, WithoutAParentTheIconTalksToTheTraysOwnWindow) {
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(nullptr, 0, "Halmere", icon, kIconId));
    tray.SetTargetWindow(&target);
    EXPECT_EQ(tray.GetNotifyData().hWnd, tray.m_hWnd);
    EXPECT_EQ(tray.GetNotifyData().uCallbackMessage, g_trayNotifyMessage);
    // What the shell would send for a double click reaches OnTrayNotify, which tells the target.
    tray.SendMessage(g_trayNotifyMessage, kIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(target.trayNotifies.size(), 1u);
}

TEST_F(SystemTrayTest, AMenuWithoutAPopupOffersNothing) {
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, "Halmere", icon, 300));
    tray.SetTargetWindow(&target);
    EXPECT_FALSE(tray.EnableMenuItem(kShow, TRUE));
    EXPECT_FALSE(tray.SetDefaultMenuItem(0, FALSE));
    EXPECT_EQ(tray.OnTrayNotify(300, WM_RBUTTONUP), 1);
    EXPECT_TRUE(target.menus.empty());
    tray.SetDefaultMenuItem(0, TRUE);
    EXPECT_EQ(tray.OnTrayNotify(300, WM_LBUTTONDBLCLK), 0);  // default by position: no pop-up
    EXPECT_TRUE(target.trayNotifies.empty());
}

TEST_F(SystemTrayTest, TeardownHidesThenRemovesTheIconOnce) {
    {
        CSystemTray tray;
        CreateAsTheMainWindowDoes(tray);
        g_calls.clear();
        EXPECT_TRUE(tray.HideTrayIcon());
        EXPECT_TRUE(tray.IsHidden());
        EXPECT_FALSE(tray.IsRemoved());
        EXPECT_TRUE(tray.RemoveTrayIcon());
        EXPECT_TRUE(tray.IsRemoved());
        EXPECT_TRUE(tray.HideTrayIcon());  // nothing more to do
        EXPECT_TRUE(tray.RemoveTrayIcon());
    }  // the destructor finds nothing to remove
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(g_calls[0].data.uFlags, static_cast<UINT>(NIF_STATE));
    EXPECT_EQ(g_calls[0].data.dwState, static_cast<DWORD>(NIS_HIDDEN));
    EXPECT_EQ(g_calls[0].data.dwStateMask, static_cast<DWORD>(NIS_HIDDEN));
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(g_calls[1].data.uFlags, 0u);
    EXPECT_EQ(g_calls[1].data.uID, kIconId);

    // A tray destroyed with its icon still up takes the icon away.
    g_calls.clear();
    {
        CSystemTray tray;
        CreateAsTheMainWindowDoes(tray);
    }
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_DELETE));
}

TEST_F(SystemTrayTest, StartingHiddenRegistersTheIconInTheHiddenState) {
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&target, kCallback, "Halmere", icon, kIconId, TRUE));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_NE(g_calls[0].data.uFlags & NIF_STATE, 0u);
    EXPECT_EQ(g_calls[0].data.dwState, static_cast<DWORD>(NIS_HIDDEN));
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_FALSE(tray.IsRemoved());
}

TEST_F(SystemTrayTest, TheRealShellTakesTheIconAndGivesItBack) {
    CSystemTray::SetShellNotify(nullptr);
    CSystemTray tray;
    const BOOL accepted = tray.Create(&target, kCallback, "Halmere", icon, kIconId);
    // Wine's shell takes the icon even without a notification area on the X display; a refusal must
    // leave a consistent pending state, not an error.
    EXPECT_EQ(tray.IsRemoved(), !accepted);
    EXPECT_EQ(tray.IsShowPending(), !accepted);
    if (accepted) {
        EXPECT_TRUE(tray.HideTrayIcon());
        EXPECT_TRUE(tray.RemoveTrayIcon());
        EXPECT_TRUE(tray.IsRemoved());
    }
    EXPECT_TRUE(g_calls.empty());
}

}  // namespace
