#include "monitor/libs/YsCapture/core/FrameConvert.h"

#include <gtest/gtest.h>

#include <vector>

using namespace yscap;

namespace {
// A padded 24-bit DIB whose pixel (x, memRow) holds (x, memRow, 7).
std::vector<uint8_t> MakeDib(int w, int h) {
    std::vector<uint8_t> d(DibStride24(w) * size_t(h), 0xEE);
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &d[DibStride24(w) * size_t(r) + size_t(x) * 3];
            p[0] = uint8_t(x);
            p[1] = uint8_t(r);
            p[2] = 7;
        }
    return d;
}
}  // namespace

TEST(FrameConvert, DropsRowPaddingAndFlipsTopDownSources) {
    const int w = 5, h = 3;  // 15-byte rows padded to 16
    std::vector<uint8_t> dib = MakeDib(w, h);
    std::vector<uint8_t> out(size_t(w * h * 3), 0);

    ASSERT_TRUE(ConvertToFrame({dib.data(), dib.size(), w, h, false}, out.data(), w, h));
    EXPECT_EQ(out[0 * 15 + 4 * 3], 4);  // row 0, x 4
    EXPECT_EQ(out[2 * 15 + 1], 2);      // row 2 from memory row 2

    ASSERT_TRUE(ConvertToFrame({dib.data(), dib.size(), w, h, true}, out.data(), w, h));
    EXPECT_EQ(out[0 * 15 + 1], 2);  // bottom row came from the last memory row
    EXPECT_EQ(out[2 * 15 + 1], 0);
    for (uint8_t b : out) EXPECT_NE(b, 0xEE);
}

TEST(FrameConvert, ScalesToTheAskedSizeAndRefusesShortBuffers) {
    std::vector<uint8_t> dib = MakeDib(4, 2);
    std::vector<uint8_t> out(8 * 4 * 3, 0);
    ASSERT_TRUE(ConvertToFrame({dib.data(), dib.size(), 4, 2, false}, out.data(), 8, 4));
    EXPECT_EQ(out[(3 * 8 + 7) * 3], 3);      // top-right from source x 3
    EXPECT_EQ(out[(3 * 8 + 7) * 3 + 1], 1);  // and source row 1
    EXPECT_EQ(out[(1 * 8 + 2) * 3], 1);

    EXPECT_FALSE(ConvertToFrame({dib.data(), dib.size() - 13, 4, 2, false}, out.data(), 8, 4));
    EXPECT_FALSE(ConvertToFrame({nullptr, 0, 4, 2, false}, out.data(), 8, 4));
}
