// Skinned buttons in a real dialog under Wine, with the generated artwork and the real mouse.
#include "monitor/controls/SkinButton.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/Framework.h"
#include "tests/support/ModalScript.h"
#include "tests/monitor/controls/SkinPictures.h"
#include "tests/monitor/controls/SkinTestIds.h"

namespace {

using skintest::InsideCount;
using skintest::InsideDifferences;
using skintest::InsideTotal;
using skintest::LoadPicture;
using skintest::PaintWindow;
using skintest::Picture;
using skintest::Rgb;

constexpr uint32_t kBackground = 0xFF00FF;  // what lies under a button while it paints

class CSkinTestDlg : public CDialog {
  public:
    CSkinTestDlg() : CDialog(IDD_SKIN_TEST) {}
    CSkinButton m_size[3];
    CSkinButton m_recorder, m_snapshot, m_close, m_plain;
    std::vector<UINT> clicks;

    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_SIZE_A, m_size[0]);
        DDX_Control(dx, IDC_SIZE_B, m_size[1]);
        DDX_Control(dx, IDC_SIZE_C, m_size[2]);
        DDX_Control(dx, IDC_RECORDER, m_recorder);
        DDX_Control(dx, IDC_SNAPSHOT, m_snapshot);
        DDX_Control(dx, IDC_CLOSE, m_close);
        DDX_Control(dx, IDC_PLAIN, m_plain);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        Reset();
        return TRUE;
    }
    // Back to the start: the main window's kind of set-up, nothing checked, pushed or disabled.
    void Reset() {
        for (CSkinButton* b :
             {&m_size[0], &m_size[1], &m_size[2], &m_recorder, &m_snapshot, &m_close, &m_plain}) {
            b->EnableWindow(TRUE);
            b->SetWindowText(_T(""));
            b->SetCheck(BST_UNCHECKED);
            b->SetState(FALSE);
        }
        // As the main window does: one to one, no edge, no inset, no hover or focus picture.
        m_size[0].SetBitmaps(210, 209, 0, 210, 0, 204, 0, 0, 0);
        m_size[1].SetBitmaps(212, 211, 0, 212, 0, 204, 0, 0, 0);
        m_size[2].SetBitmaps(214, 213, 0, 0, 0, 204, 0, 0, 0);
        m_recorder.SetBitmaps(231, 229, 0, 0, 0, 204, 0, 0, 0);
        m_snapshot.SetBitmaps(226, 225, 0, 0, 0, 204, 0, 0, 0);
        m_close.SetBitmaps(236, 236, 0, 0, 0, 235, 0, 0, 0);
        m_close.SetTooltipText(_T("Close"));
        m_plain.SetBitmaps(0, 0, 0, 0, 0, 0, 1, 0, 0);
        Place(m_size[0], 10, 10);
        Place(m_size[1], 90, 10);
        Place(m_size[2], 170, 10);
        Place(m_recorder, 10, 50);
        Place(m_snapshot, 90, 50);
        Place(m_close, 170, 50);
        Place(m_plain, 10, 90);
        clicks.clear();
    }
    afx_msg void OnClicked(UINT id) { clicks.push_back(id); }
    DECLARE_MESSAGE_MAP()

  private:
    static void Place(CWnd& w, int x, int y) {
        w.SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
};

BEGIN_MESSAGE_MAP(CSkinTestDlg, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SIZE_A, IDC_RECORDER, &CSkinTestDlg::OnClicked)
END_MESSAGE_MAP()

void Settle(int rounds = 4) {
    for (int i = 0; i < rounds; ++i) {
        fw::PumpMessages();
        ::Sleep(15);
    }
    fw::PumpMessages();
}

bool WaitFor(const std::function<bool()>& done, int milliseconds = 2000) {
    for (int waited = 0; waited < milliseconds; waited += 20) {
        if (done()) return true;
        Settle(1);
    }
    return done();
}

// The real pointer, through the system's input queue.
void SendMouse(DWORD flags, POINT screen = {}) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int w = ::GetSystemMetrics(SM_CXSCREEN);
        const int h = ::GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = (screen.x * 65536 + w - 1) / w;
        in.mi.dy = (screen.y * 65536 + h - 1) / h;
    }
    ::SendInput(1, &in, sizeof in);
    Settle();
}

void MoveTo(POINT screen) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, screen);
    POINT now;
    ::GetCursorPos(&now);
    if (now.x != screen.x || now.y != screen.y) {  // rounding of the absolute scale
        ::SetCursorPos(screen.x, screen.y);
        Settle();
    }
}

void Press() {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
}
void Release() {
    SendMouse(MOUSEEVENTF_LEFTUP);
}

POINT CentreOf(const CWnd& w) {
    RECT r;
    w.GetWindowRect(&r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void Click(const CWnd& w) {
    MoveTo(CentreOf(w));
    Press();
    Release();
}

// One dialog for every test: under Wine without a window manager, destroying a window that was
// activated takes two seconds.
class SkinButtonTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shared = new CSkinTestDlg;
        ASSERT_TRUE(shared->Create(IDD_SKIN_TEST));
        ::SetWindowPos(shared->m_hWnd, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        ::SetForegroundWindow(shared->m_hWnd);
    }
    static void TearDownTestSuite() {
        shared->DestroyWindow();
        delete shared;
        shared = nullptr;
    }
    void SetUp() override {
        ASSERT_NE(dlg.m_hWnd, nullptr);
        ::ReleaseCapture();
        MoveTo(POINT{20, 20});  // away from the window: no hover left over
        dlg.Reset();
        Settle();
    }
    // A point on the dialog away from every button.
    POINT Elsewhere() const {
        RECT r;
        dlg.GetWindowRect(&r);
        return POINT{r.left + 200, r.top + 120};
    }
    static CSkinTestDlg* shared;
    CSkinTestDlg& dlg = *shared;
};

CSkinTestDlg* SkinButtonTest::shared = nullptr;

TEST_F(SkinButtonTest, AttachingMakesOwnerDrawnButtonsShapedByTheirMasks) {
    EXPECT_EQ(dlg.m_size[0].GetKind(), CSkinButton::kRadioButton);
    EXPECT_EQ(dlg.m_recorder.GetKind(), CSkinButton::kCheckBox);
    EXPECT_EQ(dlg.m_snapshot.GetKind(), CSkinButton::kPushButton);
    for (CSkinButton* b : {&dlg.m_size[0], &dlg.m_recorder, &dlg.m_snapshot, &dlg.m_plain}) {
        EXPECT_EQ(b->GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
    }

    // One to one: each button takes its mask's size, and its outline is the mask's inside.
    const Picture mask204 = LoadPicture(204);
    const Picture mask235 = LoadPicture(235);
    struct Case {
        CSkinButton* button;
        const Picture* mask;
    };
    for (const Case& c : {Case{&dlg.m_recorder, &mask204}, Case{&dlg.m_close, &mask235}}) {
        ASSERT_TRUE(c.button->HasRegion());
        RECT r;
        c.button->GetWindowRect(&r);
        EXPECT_EQ(r.right - r.left, c.mask->width);
        EXPECT_EQ(r.bottom - r.top, c.mask->height);
        HRGN outline = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(c.button->m_hWnd, outline), ERROR);
        int wrong = 0;
        for (int y = 0; y < c.mask->height; ++y)
            for (int x = 0; x < c.mask->width; ++x)
                wrong += (::PtInRegion(outline, x, y) != FALSE) != (c.mask->At(x, y) != 0xFFFFFF);
        EXPECT_EQ(wrong, 0);
        ::DeleteObject(outline);
    }
    EXPECT_FALSE(dlg.m_plain.HasRegion());
}

TEST_F(SkinButtonTest, RadioGroupOfThreeKeepsExactlyOneChecked) {
    dlg.m_size[0].SetCheck(BST_CHECKED);
    Settle();
    EXPECT_EQ(dlg.m_size[0].GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_size[1].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_size[2].GetCheck(), BST_UNCHECKED);

    Click(dlg.m_size[1]);
    EXPECT_EQ(dlg.m_size[0].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_size[1].GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_size[2].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.clicks, std::vector<UINT>{IDC_SIZE_B});

    // Clicking the checked one leaves it checked (and still reports the click).
    Click(dlg.m_size[1]);
    EXPECT_EQ(dlg.m_size[1].GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_size[0].GetCheck() + dlg.m_size[2].GetCheck(), 0);
    EXPECT_EQ(dlg.clicks.size(), 2u);

    // The checked picture shows while checked, also with the pointer elsewhere.
    MoveTo(Elsewhere());
    const Picture mask = LoadPicture(204);
    EXPECT_EQ(InsideDifferences(PaintWindow(dlg.m_size[1], kBackground), LoadPicture(211), mask), 0);
    EXPECT_EQ(InsideDifferences(PaintWindow(dlg.m_size[0], kBackground), LoadPicture(210), mask), 0);

    // A disabled member of the group is cleared too.
    dlg.m_size[0].SetCheck(BST_CHECKED);
    Settle();
    dlg.m_size[0].EnableWindow(FALSE);
    dlg.m_size[2].SetCheck(BST_CHECKED);
    Settle();
    EXPECT_EQ(dlg.m_size[0].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_size[1].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_size[2].GetCheck(), BST_CHECKED);

    // Checks made one right after the other: the last one wins.
    dlg.m_size[0].SetCheck(BST_CHECKED);
    dlg.m_size[1].SetCheck(BST_CHECKED);
    Settle();
    EXPECT_EQ(dlg.m_size[0].GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_size[1].GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_size[2].GetCheck(), BST_UNCHECKED);

    // The check box after the group is a group of its own; a push button never checks.
    dlg.m_recorder.SetCheck(BST_CHECKED);
    dlg.m_size[1].SetCheck(BST_CHECKED);
    Settle();
    EXPECT_EQ(dlg.m_recorder.GetCheck(), BST_CHECKED);
    dlg.m_snapshot.SetCheck(BST_CHECKED);
    EXPECT_EQ(dlg.m_snapshot.GetCheck(), BST_UNCHECKED);
}

TEST_F(SkinButtonTest, PressDragOffAndReleaseLeavesTheCheckBoxUnchanged) {
    const Picture mask = LoadPicture(204);
    const Picture normal = LoadPicture(231);
    const Picture pressed = LoadPicture(229);
    CSkinButton& rec = dlg.m_recorder;

    MoveTo(CentreOf(rec));
    Press();
    EXPECT_TRUE(rec.IsPressing());
    EXPECT_EQ(::GetCapture(), rec.m_hWnd);
    EXPECT_NE(rec.GetState() & BST_PUSHED, 0u);
    EXPECT_EQ(InsideDifferences(PaintWindow(rec, kBackground), pressed, mask), 0);

    MoveTo(Elsewhere());
    EXPECT_EQ(rec.GetState() & BST_PUSHED, 0u);
    EXPECT_FALSE(rec.IsHovering());
    EXPECT_EQ(InsideDifferences(PaintWindow(rec, kBackground), normal, mask), 0);

    // Back over the button the pushed look returns; off again, and let go there.
    MoveTo(CentreOf(rec));
    EXPECT_NE(rec.GetState() & BST_PUSHED, 0u);
    MoveTo(Elsewhere());
    Release();
    EXPECT_EQ(rec.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(rec.IsPressing());
    EXPECT_NE(::GetCapture(), rec.m_hWnd);
    EXPECT_TRUE(dlg.clicks.empty());
    EXPECT_EQ(InsideDifferences(PaintWindow(rec, kBackground), normal, mask), 0);

    // A whole click toggles it, twice back.
    Click(rec);
    EXPECT_EQ(rec.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.clicks, std::vector<UINT>{IDC_RECORDER});
    MoveTo(Elsewhere());
    EXPECT_EQ(InsideDifferences(PaintWindow(rec, kBackground), pressed, mask), 0);
    Click(rec);
    EXPECT_EQ(rec.GetCheck(), BST_UNCHECKED);
}

TEST_F(SkinButtonTest, ADoubleClickActsAsASecondPress) {
    CSkinButton& rec = dlg.m_recorder;
    MoveTo(CentreOf(rec));
    Press();
    Release();
    Press();  // within the double-click time: WM_LBUTTONDBLCLK
    Release();
    EXPECT_EQ(rec.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.clicks.size(), 2u);
}

TEST_F(SkinButtonTest, HoverPictureFollowsThePointer) {
    CSkinButton& snap = dlg.m_snapshot;
    snap.SetBitmaps(226, 225, 233, 0, 0, 204, 0, 0, 0);
    const Picture mask = LoadPicture(204);

    MoveTo(CentreOf(snap));
    ASSERT_TRUE(WaitFor([&] { return snap.IsHovering(); }));
    EXPECT_EQ(InsideDifferences(PaintWindow(snap, kBackground), LoadPicture(233), mask), 0);

    MoveTo(Elsewhere());
    ASSERT_TRUE(WaitFor([&] { return !snap.IsHovering(); }));
    EXPECT_EQ(InsideDifferences(PaintWindow(snap, kBackground), LoadPicture(226), mask), 0);
}

TEST_F(SkinButtonTest, WithoutANormalPictureTheFaceColourIsPaintedWithTheCaption) {
    CSkinButton& plain = dlg.m_plain;
    plain.SetBitmaps(0, 203, 0, 0, 0, 204, 0, 0, 0);
    const Picture mask = LoadPicture(204);
    const uint32_t face = Rgb(::GetSysColor(COLOR_BTNFACE));

    Picture shown = PaintWindow(plain, kBackground);
    EXPECT_EQ(InsideCount(shown, face, mask), InsideTotal(mask));

    plain.SetWindowText(_T("Go"));
    shown = PaintWindow(plain, kBackground);
    EXPECT_GT(InsideCount(shown, face, mask), InsideTotal(mask) / 2);
    EXPECT_GT(InsideCount(shown, Rgb(::GetSysColor(COLOR_BTNTEXT)), mask), 0) << "the caption is drawn";

    // Pushed: the pressed picture.
    plain.SetState(TRUE);
    plain.SetWindowText(_T(""));
    EXPECT_EQ(InsideDifferences(PaintWindow(plain, kBackground), LoadPicture(203), mask), 0);
}

TEST_F(SkinButtonTest, DisabledWithoutADisabledPictureShowsTheNormalOneWithAnEmbossedCaption) {
    CSkinButton& snap = dlg.m_snapshot;
    const Picture mask = LoadPicture(204);
    const Picture normal = LoadPicture(226);
    snap.SetWindowText(_T("Snap"));
    snap.EnableWindow(FALSE);
    const Picture shown = PaintWindow(snap, kBackground);
    const int changed = InsideDifferences(shown, normal, mask);
    EXPECT_GT(changed, 0);
    EXPECT_LT(changed, InsideTotal(mask) / 3) << "only the caption differs from the normal picture";
    EXPECT_GT(InsideCount(shown, Rgb(::GetSysColor(COLOR_GRAYTEXT)), mask), 0);
    EXPECT_GT(InsideCount(shown, Rgb(::GetSysColor(COLOR_3DHILIGHT)), mask), 0);

    // A disabled picture of its own replaces the normal one.
    dlg.m_size[0].EnableWindow(FALSE);
    EXPECT_EQ(InsideDifferences(PaintWindow(dlg.m_size[0], kBackground), LoadPicture(210), mask), 0);
}

TEST_F(SkinButtonTest, TooltipIsMadeOnceAndItsTextReplaced) {
    CToolTipCtrl& tip = dlg.m_close.GetToolTip();
    ASSERT_NE(tip.m_hWnd, nullptr);
    auto text = [&] {
        TCHAR buffer[80] = {};
        TOOLINFO ti = {};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;  // Orvello is an ANSI program
        ti.hwnd = dlg.m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(dlg.m_close.m_hWnd);
        ti.lpszText = buffer;
        tip.SendMessage(TTM_GETTEXT, 80, reinterpret_cast<LPARAM>(&ti));
        return CString(buffer);
    };
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_EQ(text(), CString(_T("Close")));
    dlg.m_close.SetTooltipText(_T("Minimize"));
    EXPECT_EQ(tip.GetToolCount(), 1);
    EXPECT_EQ(text(), CString(_T("Minimize")));
    EXPECT_EQ(dlg.m_snapshot.GetToolTip().m_hWnd, nullptr) << "no tooltip without a text";
}

TEST_F(SkinButtonTest, SpaceKeyChangesTheCheckOncePerPress) {
    CSkinButton& rec = dlg.m_recorder;
    rec.SetFocus();
    rec.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(rec.GetCheck(), BST_CHECKED);
    rec.SendMessage(WM_KEYDOWN, VK_SPACE, 1 | (1 << 30));  // held down: auto-repeat
    EXPECT_EQ(rec.GetCheck(), BST_CHECKED);
    rec.SendMessage(WM_KEYUP, VK_SPACE, 1 | (3u << 30));
    Settle();
    EXPECT_EQ(dlg.clicks, std::vector<UINT>{IDC_RECORDER});
    rec.SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    rec.SendMessage(WM_KEYUP, VK_SPACE, 1 | (3u << 30));
    EXPECT_EQ(rec.GetCheck(), BST_UNCHECKED);

    dlg.m_size[0].SetCheck(BST_CHECKED);
    dlg.m_size[2].SetFocus();
    dlg.m_size[2].SendMessage(WM_KEYDOWN, VK_SPACE, 1);
    dlg.m_size[2].SendMessage(WM_KEYUP, VK_SPACE, 1 | (3u << 30));
    Settle();
    EXPECT_EQ(dlg.m_size[2].GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_size[0].GetCheck(), BST_UNCHECKED);
}

TEST_F(SkinButtonTest, StretchedAndTiledPicturesFillTheButton) {
    CSkinButton& plain = dlg.m_plain;
    // Stretched without a mask: the 14 x 14 close picture over the whole button.
    plain.SetBitmaps(236, 0, 0, 0, 0, 0, 1, 0, 0);
    RECT r;
    plain.GetClientRect(&r);
    const Picture close = LoadPicture(236);
    Picture shown = PaintWindow(plain, kBackground);
    EXPECT_EQ(shown.At(r.right / 2, r.bottom / 2), close.At(7, 7));
    EXPECT_NE(shown.At(r.right - 1, r.bottom - 1), kBackground);
    // Tiled: the picture repeats from the top-left corner.
    plain.SetBitmaps(236, 0, 0, 0, 0, 0, 5, 0, 0);
    EXPECT_EQ(plain.GetDrawMode(), CSkinButton::kTiled);
    shown = PaintWindow(plain, kBackground);
    EXPECT_EQ(shown.At(3, 4), close.At(3, 4));
    EXPECT_EQ(shown.At(14 + 3, 14 + 4), close.At(3, 4));
    EXPECT_EQ(shown.At(28 + 10, 2), close.At(10, 2));
}

}  // namespace
