// The GDI side of YsProcess under Wine: bitmap copies, BMP stills read back by GDI, window
// outlines, control placement and the stamp font.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "monitor/libs/YsProcess/YsProcess.h"

namespace {

// A 24-bit DIB section whose pixel (x, y), y counted from the top, has the colour given.
ScopedBitmap MakeBitmap(int width, int height, COLORREF (*colour)(int x, int y)) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    ScopedBitmap bitmap(::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            BYTE* p = static_cast<BYTE*>(bits) + y * stride + x * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    return bitmap;
}

std::string TempFile(const char* name) {
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Bright pixels (all channels above 200) of a bottom-up frame, per buffer row range.
int CountBright(const std::vector<BYTE>& frame, int width, int rowBegin, int rowEnd) {
    int n = 0;
    for (int row = rowBegin; row < rowEnd; ++row)
        for (int x = 0; x < width; ++x) {
            const BYTE* p = &frame[(row * width + x) * 3];
            if (p[0] > 200 && p[1] > 200 && p[2] > 200) ++n;
        }
    return n;
}

}  // namespace

TEST(YsVideoBmp, GivesBottomUpBgrRowsWithoutPadding) {
    // 35 x 36 like the target icon: 105-byte rows.
    ScopedBitmap bitmap = MakeBitmap(35, 36, [](int x, int y) { return RGB(x * 7, y * 7, 250 - x); });
    BYTE* copy = YsVideoBmp(bitmap.Get());
    ASSERT_NE(copy, nullptr);
    for (int y = 0; y < 36; ++y) {
        for (int x = 0; x < 35; ++x) {
            const BYTE* p = copy + (35 - y) * 105 + x * 3;  // picture row y is buffer row 35 - y
            ASSERT_EQ(p[0], 250 - x);
            ASSERT_EQ(p[1], y * 7);
            ASSERT_EQ(p[2], x * 7);
        }
    }
    delete[] copy;
    EXPECT_EQ(YsVideoBmp(nullptr), nullptr);
}

TEST(CaptureToFile, WritesABmpThatGdiLoadsBackPixelForPixel) {
    const int w = 37;  // rows padded in the file
    const int h = 9;
    std::vector<BYTE> frame(w * h * 3);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<BYTE>(i * 11);
    const std::string path = TempFile("ysp_capture.bmp");
    ASSERT_TRUE(CaptureToFile(frame.data(), path.c_str(), w, h));
    ScopedBitmap loaded(static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(loaded);
    BYTE* back = YsVideoBmp(loaded.Get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(std::vector<BYTE>(back, back + frame.size()), frame);
    delete[] back;
    ::DeleteFileA(path.c_str());

    const std::string missing = TempFile("no_such_folder_ysp\\x.bmp");
    EXPECT_FALSE(CaptureToFile(frame.data(), missing.c_str(), w, h));
    EXPECT_EQ(::GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(BitmapToRegion, HoldsThePixelsAwayFromTheKeyUpToTheRightEdge) {
    // Green key with a 16-level tolerance; a frame of red around a green inside, right column red.
    ScopedBitmap bitmap = MakeBitmap(20, 10, [](int x, int y) -> COLORREF {
        if (x == 19) return RGB(200, 0, 0);
        if (x >= 5 && x < 15 && y >= 2 && y < 8) return RGB(200, 0, 0);
        if (x == 1 && y == 1) return RGB(0x10, 0xEF, 0x10);  // within tolerance: outside
        if (x == 2 && y == 1) return RGB(0x11, 0xFF, 0x00);  // one past: inside
        return RGB(0, 255, 0);
    });
    ScopedRegion region(BitmapToRegion(bitmap.Get(), 0x00FF00, 0x101010));
    ASSERT_TRUE(region);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside = x == 19 || (x >= 5 && x < 15 && y >= 2 && y < 8) || (x == 2 && y == 1);
            EXPECT_EQ(::PtInRegion(region.Get(), x, y) != FALSE, inside) << x << "," << y;
        }
    }
    RECT box{};
    ::GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 10);
    EXPECT_FALSE(::PtInRegion(region.Get(), 20, 3));  // nothing past the right edge
    EXPECT_EQ(BitmapToRegion(nullptr, 0, 0), nullptr);
}

TEST(BitmapToRegion, AShapeOfManyRunsIsBuiltInBatches) {
    // A checkerboard of single pixels: 6 000 rectangles, more than one ExtCreateRegion batch.
    ScopedBitmap bitmap = MakeBitmap(
        120, 100, [](int x, int y) -> COLORREF { return (x + y) % 2 ? RGB(0, 0, 0) : RGB(0, 255, 0); });
    ScopedRegion region(BitmapToRegion(bitmap.Get(), 0x00FF00, 0));
    ASSERT_TRUE(region);
    for (int y = 0; y < 100; y += 7)
        for (int x = 0; x < 120; x += 3)
            EXPECT_EQ(::PtInRegion(region.Get(), x, y) != FALSE, (x + y) % 2 == 1);
    ScopedBitmap allKey = MakeBitmap(8, 8, [](int, int) -> COLORREF { return RGB(0, 255, 0); });
    ScopedRegion empty(BitmapToRegion(allKey.Get(), 0x00FF00, 0x101010));
    ASSERT_TRUE(empty);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(empty.Get(), &box), NULLREGION);
}

TEST(SetBtnRect, PlacesTheControlAtTheSkinPixelKeepingItsSize) {
    HWND parent =
        ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 100, 100, 400, 400, nullptr, nullptr, nullptr, nullptr);
    HWND button =
        ::CreateWindowExA(0, "BUTTON", "x", WS_CHILD, 0, 0, 31, 17, parent, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent && button);
    EXPECT_TRUE(SetBtnRect(button, 17, 163));
    RECT r{};
    ::GetWindowRect(button, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 17);
    EXPECT_EQ(r.top, 163);
    EXPECT_EQ(r.right - r.left, 31);
    EXPECT_EQ(r.bottom - r.top, 17);
    EXPECT_FALSE(SetBtnRect(nullptr, 1, 1));
    ::DestroyWindow(parent);
}

TEST(OutIamgeVideo, TheClockIsLegibleOnDarkAndLightPicturesWithinItsBand) {
    const int w = 320;
    const int h = 240;
    const char* clock = "2026:12:07<22;08;49";
    for (BYTE background : {0, 255}) {
        std::vector<BYTE> frame(w * h * 3, background);
        OutIamgeVideo(frame.data(), clock, 16, h - 16, w, h);
        // Text runs down the picture from buffer row h - 16: nothing changes above it or left of 15.
        for (int row = h - 16 + 2; row < h; ++row)
            for (int x = 0; x < w * 3; ++x) ASSERT_EQ(frame[row * w * 3 + x], background) << row;
        for (int row = 0; row < h; ++row)
            for (int x = 0; x < 14 * 3; ++x) ASSERT_EQ(frame[row * w * 3 + x], background) << row;
        // Light strokes with dark outlines whatever the background.
        EXPECT_GT(CountBright(frame, w, h - 40, h - 14), 150) << int(background);
        int dark = 0;
        for (int row = h - 40; row < h - 14; ++row)
            for (int x = 0; x < w; ++x) dark += frame[(row * w + x) * 3] < 40;
        if (background == 255) {
            EXPECT_GT(dark, 150);
        }
        EXPECT_LT(CountBright(frame, w, 0, h - 40), background == 255 ? (h - 40) * w + 1 : 1);
    }
    // Different characters give different pictures (';' and '<' included).
    std::vector<std::vector<BYTE>> shots;
    for (const char* text : {"0", "8", ";", "<", ":"}) {
        std::vector<BYTE> frame(64 * 32 * 3, 60);
        OutIamgeVideo(frame.data(), text, 4, 28, 64, 32);
        shots.push_back(frame);
    }
    for (size_t a = 0; a < shots.size(); ++a)
        for (size_t b = a + 1; b < shots.size(); ++b) EXPECT_NE(shots[a], shots[b]) << a << " " << b;
    // Stamps near or past the edges are clipped.
    std::vector<BYTE> small(40 * 10 * 3, 0);
    OutIamgeVideo(small.data(), clock, 30, 3, 40, 10);
    OutIamgeVideo(small.data(), clock, -50, 50, 40, 10);
}
