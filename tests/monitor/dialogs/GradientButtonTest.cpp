#include <vector>

#include "framework/Framework.h"
#include "tests/support/ModalScript.h"
#include "monitor/controls/GradientButton.h"
#include "monitor/dialogs/AudioSettingsDlg.h"
#include "tests/monitor/dialogs/DialogTestSupport.h"

namespace {

constexpr int kWidth = 80, kHeight = 24;

// A picture of one DrawItem call, painted into a memory DC over a white background.
struct Picture {
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * kWidth + x)]; }
    // Bounding box of the caption's dark pixels (left, top, right, bottom inclusive); left -1 if none.
    RECT DarkBox() const {
        RECT box = {-1, -1, -1, -1};
        for (int y = 0; y < kHeight; ++y)
            for (int x = 5; x < kWidth - 5; ++x) {
                const COLORREF c = At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) > 200) continue;
                if (y == 0 || y == kHeight - 1) continue;  // the outline
                if (box.left < 0) box = {x, y, x, y};
                box.left = std::min<LONG>(box.left, x);
                box.right = std::max<LONG>(box.right, x);
                box.top = std::min<LONG>(box.top, y);
                box.bottom = std::max<LONG>(box.bottom, y);
            }
        return box;
    }
    int Count(COLORREF colour, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += At(x, y) == colour;
        return n;
    }
};

class GradientButtonDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        if (::GetSystemMetrics(SM_CXEDGE) != 2 || ::GetSystemMetrics(SM_CYEDGE) != 2)
            GTEST_SKIP() << "the expected pixels assume edges of 2";
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
        HWND wnd = ::CreateWindowA("BUTTON", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, kWidth,
                                   kHeight, parent.m_hWnd, reinterpret_cast<HMENU>(1027),
                                   ::GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(wnd, nullptr);
        ASSERT_TRUE(button.SubclassWindow(wnd));
    }
    void TearDown() override {
        if (button.m_hWnd) button.UnsubclassWindow();
        if (parent.m_hWnd) parent.DestroyWindow();
    }

    Picture Paint(UINT state) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        ScopedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        ScopedDc dc(::CreateCompatibleDC(nullptr));
        ScopedSelect select(dc.Get(), bitmap.Get());
        const RECT all = {0, 0, kWidth, kHeight};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = 1027;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = button.m_hWnd;
        dis.hDC = dc.Get();
        dis.rcItem = all;
        button.DrawItem(&dis);
        ::GdiFlush();
        Picture picture;
        const auto* p = static_cast<const DWORD*>(bits);
        for (int i = 0; i < kWidth * kHeight; ++i)
            picture.pixels.push_back(RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF));
        return picture;
    }

    CWnd parent;
    CGradientButton button;
};

TEST_F(GradientButtonDrawing, BecomesOwnerDrawnWhenBound) {
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST_F(GradientButtonDrawing, IdleFaceIsAGradientInsideABlackOutline) {
    const Picture p = Paint(0);
    EXPECT_EQ(p.At(40, 0), RGB(0, 0, 0));
    EXPECT_EQ(p.At(40, 23), RGB(0, 0, 0));
    EXPECT_EQ(p.At(0, 0), RGB(255, 255, 255));  // outside the rounded corner
    // Face rows 2 to 22: shade y*63/20, the bottom rows at shade 63; no frame.
    EXPECT_EQ(p.At(10, 2), RGB(253, 253, 254));
    EXPECT_EQ(p.At(10, 12), RGB(243, 243, 248));
    EXPECT_EQ(p.At(10, 21), RGB(234, 234, 243));
    EXPECT_EQ(p.At(10, 22), RGB(234, 234, 243));
    EXPECT_EQ(p.At(2, 12), RGB(243, 243, 248));
    EXPECT_EQ(p.At(77, 12), RGB(243, 243, 248));
    EXPECT_GT(p.DarkBox().left, 0);  // the caption
}

TEST_F(GradientButtonDrawing, PressedFaceIsBluerAndTheCaptionMovesOnePixel) {
    const Picture idle = Paint(0);
    const Picture pressed = Paint(ODS_SELECTED);
    EXPECT_EQ(pressed.At(10, 12), RGB(243, 243, 246));
    EXPECT_EQ(pressed.At(10, 22), RGB(234, 234, 240));
    EXPECT_EQ(pressed.At(2, 12), RGB(243, 243, 246));  // pushed without focus: no frame
    const RECT a = idle.DarkBox(), b = pressed.DarkBox();
    EXPECT_EQ(b.left, a.left + 1);
    EXPECT_EQ(b.top, a.top + 1);
    EXPECT_EQ(b.right, a.right + 1);
    EXPECT_EQ(b.bottom, a.bottom + 1);
}

TEST_F(GradientButtonDrawing, FocusShowsTheBlueFrameWithAFocusRectangle) {
    const Picture p = Paint(ODS_FOCUS);
    EXPECT_EQ(p.At(10, 12), RGB(243, 243, 246));  // active face
    EXPECT_EQ(p.At(3, 12), RGB(153, 198, 252));   // left pen, beside the focus rectangle
    EXPECT_EQ(p.At(76, 12), RGB(162, 189, 252));  // right pen
    EXPECT_EQ(p.At(20, 22), RGB(162, 201, 255));  // bottom pen
    // The dotted focus rectangle runs over the left pen's middle column.
    EXPECT_LT(p.Count(RGB(153, 198, 252), 2, 4, 2, 20), 17);
}

TEST_F(GradientButtonDrawing, HoverShowsTheOrangeFrameAndNoFocusRectangle) {
    button.SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHovering());
    const Picture hover = Paint(0);
    EXPECT_EQ(hover.At(10, 12), RGB(246, 246, 248));
    EXPECT_EQ(hover.At(10, 20), RGB(240, 240, 243));  // shade 63 above the bottom pen
    EXPECT_EQ(hover.At(3, 12), RGB(250, 196, 88));
    EXPECT_EQ(hover.At(76, 12), RGB(251, 202, 106));
    EXPECT_EQ(hover.At(20, 22), RGB(229, 151, 0));
    EXPECT_EQ(hover.At(20, 2), RGB(252, 210, 121));

    const Picture hoverFocus = Paint(ODS_FOCUS);
    EXPECT_EQ(hoverFocus.At(10, 12), RGB(246, 246, 243));
    EXPECT_EQ(hoverFocus.Count(RGB(250, 196, 88), 2, 4, 2, 20), 17);  // no dots

    // The pointer leaves: the focused button is blue again.
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsHovering());
    EXPECT_EQ(Paint(ODS_FOCUS).At(3, 12), RGB(153, 198, 252));
}

TEST_F(GradientButtonDrawing, DisabledCaptionIsEmbossedWithoutFrame) {
    const Picture enabled = Paint(0);
    const Picture disabled = Paint(ODS_DISABLED);
    const RECT caption = enabled.DarkBox();
    ASSERT_GT(caption.left, 0);
    EXPECT_EQ(disabled.DarkBox().left, -1);  // no black text
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_GT(disabled.Count(shadow, caption.left, caption.top, caption.right, caption.bottom), 0);
    EXPECT_EQ(disabled.At(2, 12), RGB(243, 243, 248));
}

TEST_F(GradientButtonDrawing, MouseMoveArmsHoverAndLeaveTracking) {
    EXPECT_FALSE(button.IsTracking());
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsTracking());
    button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(button.IsTracking());
    EXPECT_FALSE(button.IsHovering());
}

}  // namespace

namespace {

// In a real dialog the button paints through the parent's WM_DRAWITEM, reflected to the bound object.
TEST(GradientButtonInDialog, PaintsThroughTheDialogsOwnerDraw) {
    fw::ModalScript script;
    COLORREF face = CLR_INVALID, outline = CLR_INVALID;
    script.OnNextDialog([&](CDialog& dlg) {
        HWND ok = ::GetDlgItem(dlg.m_hWnd, 1027);
        RECT rc;
        ::GetClientRect(ok, &rc);
        ScopedDc dc(::CreateCompatibleDC(nullptr));
        ScopedGetDc screen(ok);
        ScopedBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), rc.right, rc.bottom));
        ScopedSelect select(dc.Get(), bitmap.Get());
        ::SendMessageA(ok, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        face = ::GetPixel(dc.Get(), 6, rc.bottom - 4);
        outline = ::GetPixel(dc.Get(), rc.right / 2, 0);
    });
    CAudioSettingsDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(outline, RGB(0, 0, 0));
    // A pale blue-grey of the lower face, not the system's button face.
    EXPECT_NE(face, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_GT(GetBValue(face), GetRValue(face));
    EXPECT_EQ(GetRValue(face), GetGValue(face));
}

}  // namespace
