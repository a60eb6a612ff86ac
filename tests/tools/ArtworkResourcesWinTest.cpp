// The generated resource script compiles and Windows loads every picture from it at its size.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/Handles.h"
#include "monitor/resources/artwork/ArtworkIds.h"
#include "tools/artwork/Skin.h"
#include "tools/artwork/SkinLayout.h"

namespace {

ScopedBitmap LoadDib(int id) {
    return ScopedBitmap(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

// Top-down 32-bit copy of a bitmap: one COLORREF-like 0x00RRGGBB value per pixel.
std::vector<DWORD> Pixels(HBITMAP bitmap, SIZE size) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size.cx;
    bi.bmiHeader.biHeight = -size.cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(size_t(size.cx) * size.cy);
    ScopedDc dc(CreateCompatibleDC(nullptr));
    EXPECT_EQ(GetDIBits(dc.Get(), bitmap, 0, size.cy, pixels.data(), &bi, DIB_RGB_COLORS), size.cy);
    return pixels;
}

// The region of pixels for which `inside` holds, one rectangle per run, as the window and buttons build it.
template <typename Inside>
ScopedRegion RegionOf(const std::vector<DWORD>& pixels, SIZE size, Inside inside) {
    ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx;) {
            if (!inside(pixels[size_t(y) * size.cx + x])) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < size.cx && inside(pixels[size_t(y) * size.cx + x])) ++x;
            ScopedRegion run(CreateRectRgn(start, y, x, y + 1));
            CombineRgn(region.Get(), region.Get(), run.Get(), RGN_OR);
        }
    return region;
}

TEST(ArtworkResourcesTest, EveryBitmapOfTheLayoutLoadsAtItsButtonsSize) {
    for (const artwork::ButtonPlace& place : artwork::SkinButtons())
        for (int id : {place.normal, place.checked, place.disabled, place.mask}) {
            if (id == 0) continue;
            ScopedBitmap bitmap = LoadDib(id);
            ASSERT_TRUE(bitmap) << id;
            const SIZE size = BitmapSize(bitmap.Get());
            EXPECT_EQ(size.cx, place.width) << id;
            EXPECT_EQ(size.cy, place.height) << id;
        }
    const struct {
        int id, width, height;
    } fixed[] = {{ORV_BMP_SPLASH, 600, 430},
                 {ORV_BMP_SKIN, 360, 355},
                 {ORV_BMP_CAMERA_ICON, 38, 26},
                 {ORV_BMP_TARGET_ICON, 35, 36}};
    for (const auto& f : fixed) {
        ScopedBitmap bitmap = LoadDib(f.id);
        ASSERT_TRUE(bitmap) << f.id;
        EXPECT_EQ(BitmapSize(bitmap.Get()).cx, f.width);
        EXPECT_EQ(BitmapSize(bitmap.Get()).cy, f.height);
    }
}

TEST(ArtworkResourcesTest, SkinRegionFromTheKeyColourIsTheRoundedWindow) {
    ScopedBitmap skin = LoadDib(ORV_BMP_SKIN);
    ASSERT_TRUE(skin);
    const SIZE size = BitmapSize(skin.Get());
    const std::vector<DWORD> pixels = Pixels(skin.Get(), size);
    // Not within 0x10 of the key 0x00FF00 on every channel.
    ScopedRegion region = RegionOf(pixels, size, [](DWORD c) {
        const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
        return !(r <= 0x10 && g >= 0xEF && b <= 0x10);
    });
    for (int y = 0; y < size.cy; y += 3)
        for (int x = 0; x < size.cx; ++x)
            ASSERT_EQ(PtInRegion(region.Get(), x, y) != FALSE, artwork::SkinInside(x, y)) << x << "," << y;
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 360);
    EXPECT_EQ(box.bottom, 355);
}

TEST(ArtworkResourcesTest, ButtonMaskRegionSpansTheWholeButton) {
    ScopedBitmap mask = LoadDib(ORV_BMP_MASK_BUTTON);
    ASSERT_TRUE(mask);
    const SIZE size = BitmapSize(mask.Get());
    ScopedRegion region =
        RegionOf(Pixels(mask.Get(), size), size, [](DWORD c) { return (c & 0xFFFFFF) != 0xFFFFFF; });
    RECT box{};
    GetRgnBox(region.Get(), &box);
    EXPECT_EQ(box.right - box.left, 74);
    EXPECT_EQ(box.bottom - box.top, 21);
    EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.Get(), 37, 10));
}

TEST(ArtworkResourcesTest, ProgramIconOffersSmallAndLargeSizes) {
    for (int side : {16, 32, 48}) {
        ScopedIcon icon(static_cast<HICON>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORV_ICON_PROGRAM), IMAGE_ICON, side, side, 0)));
        ASSERT_TRUE(icon) << side;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        ScopedBitmap colour(info.hbmColor), andMask(info.hbmMask);
        EXPECT_EQ(BitmapSize(colour.Get()).cx, side);
        EXPECT_EQ(BitmapSize(colour.Get()).cy, side);
    }
}

TEST(ArtworkResourcesTest, ButtonCursorLoadsWithItsHotSpot) {
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(ORV_CURSOR_BUTTON));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    ScopedBitmap colour(info.hbmColor), andMask(info.hbmMask);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 11u);
    EXPECT_EQ(info.yHotspot, 0u);
}

}  // namespace
