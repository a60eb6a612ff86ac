#include "framework/Framework.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT WM_PING = WM_APP + 1;
constexpr UINT WM_BASE_ONLY = WM_APP + 2;

// A base window whose map the derived one chains to.
class CBaseWnd : public CWnd {
  public:
    int baseCommands = 0;
    int basePings = 0;
    afx_msg LRESULT OnBaseOnly(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    afx_msg LRESULT OnPingInBase(WPARAM, LPARAM) {
        ++basePings;
        return -1;
    }
    afx_msg void OnBaseCommand() { ++baseCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_MESSAGE(WM_BASE_ONLY, &CBaseWnd::OnBaseOnly)
ON_MESSAGE(WM_PING, &CBaseWnd::OnPingInBase)
ON_COMMAND(610, &CBaseWnd::OnBaseCommand)
END_MESSAGE_MAP()

class CRoutedWnd : public CBaseWnd {
  public:
    int pings = 0;
    int plainCommands = 0;
    UINT lastRangeId = 0;
    int clicks = 0;
    int notifications = 0;
    UINT_PTR lastTimer = 0;
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM lParam) {
        ++pings;
        return static_cast<LRESULT>(wParam + lParam);
    }
    afx_msg void OnPlain() { ++plainCommands; }
    afx_msg void OnRange(UINT id) { lastRangeId = id; }
    afx_msg void OnClicked() { ++clicks; }
    afx_msg void OnClickNotify(NMHDR* nm, LRESULT* result) {
        ++notifications;
        *result = 77;
    }
    afx_msg void OnTimer(UINT_PTR id) { lastTimer = id; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutedWnd, CBaseWnd)
ON_MESSAGE(WM_PING, &CRoutedWnd::OnPing)
ON_COMMAND(600, &CRoutedWnd::OnPlain)
ON_COMMAND_RANGE(700, 705, &CRoutedWnd::OnRange)
ON_BN_CLICKED(900, &CRoutedWnd::OnClicked)
ON_NOTIFY(NM_CLICK, 800, &CRoutedWnd::OnClickNotify)
ON_WM_TIMER()
END_MESSAGE_MAP()

// An owner-drawn button whose parent hands WM_DRAWITEM back to it.
class CDrawnButton : public CButton {
  public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++draws; }
};

class MessageMapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("routing"), WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
    }
    void TearDown() override { wnd.DestroyWindow(); }
    CRoutedWnd wnd;
};

TEST_F(MessageMapTest, WindowMessagesReachTheMostDerivedHandlerAndFallBackToTheBase) {
    EXPECT_EQ(wnd.SendMessage(WM_PING, 3, 4), 7);
    EXPECT_EQ(wnd.pings, 1);
    EXPECT_EQ(wnd.basePings, 0);  // the derived entry hides the base one
    EXPECT_EQ(wnd.SendMessage(WM_BASE_ONLY, 21), 42);
    wnd.SendMessage(WM_TIMER, 5);
    EXPECT_EQ(wnd.lastTimer, 5u);
    // Unmapped messages get the default processing.
    wnd.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(_T("changed")));
    CString text;
    wnd.GetWindowText(text);
    EXPECT_EQ(text, CString(_T("changed")));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
}

TEST_F(MessageMapTest, CommandsAndRangesAndControlNotificationsAreRouted) {
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(600, 0), 0);  // menu
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(600, 1), 0);  // accelerator
    EXPECT_EQ(wnd.plainCommands, 2);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(703, 0), 0);
    EXPECT_EQ(wnd.lastRangeId, 703u);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(706, 0), 0);
    EXPECT_EQ(wnd.lastRangeId, 703u);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(610, 0), 0);
    EXPECT_EQ(wnd.baseCommands, 1);

    CButton button;
    ASSERT_TRUE(
        button.Create(_T("Go"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &wnd, 900));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(wnd.clicks, 1);
    // A notification other than BN_CLICKED from the same control is not a click.
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(900, BN_SETFOCUS), reinterpret_cast<LPARAM>(button.m_hWnd));
    EXPECT_EQ(wnd.clicks, 1);

    NMHDR nm = {button.m_hWnd, 800, static_cast<UINT>(NM_CLICK)};
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 800, reinterpret_cast<LPARAM>(&nm)), 77);
    EXPECT_EQ(wnd.notifications, 1);
    nm.idFrom = 801;
    nm.hwndFrom = nullptr;
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 801, reinterpret_cast<LPARAM>(&nm)), 0);
    EXPECT_EQ(wnd.notifications, 1);
}

TEST_F(MessageMapTest, SubclassedOwnerDrawButtonPaintsItselfAndDetachesWithItsWindow) {
    HWND raw =
        ::CreateWindowEx(0, _T("BUTTON"), _T("x"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                         wnd.m_hWnd, reinterpret_cast<HMENU>(901), ::GetModuleHandle(nullptr), nullptr);
    ASSERT_NE(raw, nullptr);
    CDrawnButton button;
    ASSERT_TRUE(button.SubclassWindow(raw));
    button.ModifyStyle(0, BS_OWNERDRAW);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), &button);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 901;
    dis.hwndItem = raw;
    wnd.SendMessage(WM_DRAWITEM, 901, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(button.draws, 1);

    ::DestroyWindow(raw);
    EXPECT_EQ(button.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
}

// Every classic window-message entry, mapped to the default handlers it inherits.
class CAllDefaultsWnd : public CWnd {
  public:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CAllDefaultsWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
ON_WM_NCHITTEST()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_MOUSEHOVER()
ON_WM_MOUSELEAVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_VSCROLL()
ON_WM_HSCROLL()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_DRAWITEM()
ON_WM_CTLCOLOR()
ON_WM_DEVICECHANGE()
ON_WM_INITMENUPOPUP()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

TEST(MessageMapDefaults, InheritedHandlersGiveTheWindowsDefaultAnswers) {
    CAllDefaultsWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, _T("defaults"), WS_POPUP, 10, 10, 100, 100, nullptr, nullptr));
    CRect rect;
    wnd.GetWindowRect(&rect);
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.left + 50, rect.top + 50)), HTCLIENT);
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rect.left - 50, rect.top - 50)), HTNOWHERE);
    wnd.SendMessage(WM_TIMER, 1);
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    // The default close destroys the window, which lets go of the object.
    wnd.SendMessage(WM_CLOSE);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

}  // namespace
