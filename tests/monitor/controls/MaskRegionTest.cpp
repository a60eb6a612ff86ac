#include "monitor/controls/MaskRegion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace {

// A 24-bit mask bitmap from rows of '#' (black, inside) and '.' (white, outside).
ScopedBitmap MakeMask(const std::vector<std::string>& rows) {
    const int width = static_cast<int>(rows[0].size());
    const int height = static_cast<int>(rows.size());
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap mask(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                static_cast<BYTE*>(bits)[y * stride + x * 3 + c] = rows[y][x] == '#' ? 0 : 255;
    ::GdiFlush();
    return mask;
}

std::vector<std::string> Rasterise(HRGN region, int width, int height) {
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (::PtInRegion(region, x, y)) rows[y][x] = '#';
    return rows;
}

TEST(MaskRegion, ARightMostColumnInsideEndsTheRowsAtTheBitmapsEdge) {
    const std::vector<std::string> rows = {
        "...#####", "########", "##....##", ".......#", "#......#",
    };
    ScopedBitmap mask = MakeMask(rows);
    ScopedRegion region(CreateRegionFromMask(mask.Get(), RGB(255, 255, 255)));
    ASSERT_TRUE(region);
    // Nothing beyond the bitmap, on any side, and every pixel as the mask says.
    EXPECT_EQ(Rasterise(region.Get(), 8, 5), rows);
    RECT box;
    EXPECT_EQ(::GetRgnBox(region.Get(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 8);
    EXPECT_EQ(box.bottom, 5);
    for (int y = -1; y <= 5; ++y) EXPECT_FALSE(::PtInRegion(region.Get(), 8, y)) << "row " << y;
    for (int x = -1; x <= 8; ++x) EXPECT_FALSE(::PtInRegion(region.Get(), x, 5)) << "column " << x;
}

TEST(MaskRegion, AMaskWithoutInsidePixelsGivesAnEmptyRegion) {
    ScopedBitmap mask = MakeMask({"....", "...."});
    ScopedRegion region(CreateRegionFromMask(mask.Get(), RGB(255, 255, 255)));
    ASSERT_TRUE(region);
    RECT box;
    EXPECT_EQ(::GetRgnBox(region.Get(), &box), NULLREGION);
    EXPECT_EQ(CreateRegionFromMask(nullptr, RGB(255, 255, 255)), nullptr);
}

}  // namespace
