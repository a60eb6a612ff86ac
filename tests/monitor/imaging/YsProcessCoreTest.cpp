// Portable pixel work of YsProcess: zoom, BMP files, window-outline runs and text stamps.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "monitor/libs/YsProcess/BmpFile.h"
#include "monitor/libs/YsProcess/RegionRuns.h"
#include "monitor/libs/YsProcess/TextStamp.h"
#include "monitor/libs/YsProcess/Zoom.h"

namespace {

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = static_cast<uint8_t>(rng());
    return v;
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

std::string TempPath(const char* name) {
    return testing::TempDir() + name;
}

}  // namespace

TEST(Zoom2x, EverySourcePixelBecomesATwoByTwoBlockAtAnyWidth) {
    for (int width : {1, 3, 4, 5, 7, 641}) {
        const int height = 5;
        const auto src = RandomBytes(static_cast<size_t>(width) * height * 3, width);
        std::vector<uint8_t> dst(src.size() * 4, 0xAB);
        ysp::Zoom2xBgr(src.data(), dst.data(), width, height);
        for (int y = 0; y < 2 * height; ++y) {
            for (int x = 0; x < 2 * width; ++x) {
                for (int c = 0; c < 3; ++c) {
                    const size_t out = (static_cast<size_t>(y) * 2 * width + x) * 3 + c;
                    const size_t in = (static_cast<size_t>(y / 2) * width + x / 2) * 3 + c;
                    ASSERT_EQ(dst[out], src[in]) << "width " << width << " at " << x << "," << y;
                }
            }
        }
    }
}

// The vector paths against the plain one, byte for byte, on widths that leave partial groups; the
// bytes behind the picture stay untouched.
TEST(Zoom2x, EveryPathMatchesThePlainOne) {
    for (int width : {1, 2, 7, 8, 9, 15, 16, 17, 33, 641, 800})
        for (int height : {1, 3}) {
            const auto src = RandomBytes(static_cast<size_t>(width) * height * 3, width + height);
            std::vector<uint8_t> plain(src.size() * 4 + 32, 0xAB);
            ysp::Zoom2xBgr(src.data(), plain.data(), width, height, SimdLevel::Plain);
            for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Ssse3, SimdLevel::Avx2}) {
                if (static_cast<int>(level) > static_cast<int>(DetectedSimdLevel())) continue;
                std::vector<uint8_t> fast(plain.size(), 0xAB);
                ysp::Zoom2xBgr(src.data(), fast.data(), width, height, level);
                ASSERT_EQ(fast, plain)
                    << "width " << width << " height " << height << " level " << static_cast<int>(level);
            }
        }
}

TEST(BmpFile, WritesHeadersPaddedRowsAndPixelsBottomRowFirst) {
    const int width = 5;  // 15-byte rows padded to 16
    const int height = 3;
    const auto frame = RandomBytes(width * height * 3, 7);
    const std::string path = TempPath("ysp_bmp_test.bmp");
    ASSERT_TRUE(ysp::WriteBmp24File(path.c_str(), frame.data(), width, height));
    const auto file = ReadAll(path);
    ASSERT_EQ(file.size(), 54u + 16u * height);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 10), 54u);
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 18), static_cast<uint32_t>(width));
    EXPECT_EQ(Le32(file, 22), static_cast<uint32_t>(height));
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(Le32(file, 34), 16u * height);
    for (int row = 0; row < height; ++row) {
        for (int i = 0; i < width * 3; ++i) ASSERT_EQ(file[54 + row * 16 + i], frame[row * width * 3 + i]);
        EXPECT_EQ(file[54 + row * 16 + 15], 0);
    }
    std::remove(path.c_str());
}

TEST(BmpFile, RefusesBadInputAndLeavesNoFileWhereItCannotWrite) {
    const std::vector<uint8_t> frame(12, 1);
    EXPECT_FALSE(
        ysp::WriteBmp24File((TempPath("no_such_folder_ysp/") + "x.bmp").c_str(), frame.data(), 2, 2));
    const std::string path = TempPath("ysp_bad.bmp");
    EXPECT_FALSE(ysp::WriteBmp24File(path.c_str(), frame.data(), 0, 2));
    EXPECT_FALSE(ysp::WriteBmp24File(path.c_str(), nullptr, 2, 2));
    EXPECT_FALSE(ysp::WriteBmp24File("", frame.data(), 2, 2));
    EXPECT_TRUE(ysp::Bmp24Headers(70000, 70000).empty());  // would pass 2 GB
    EXPECT_EQ(std::fopen(path.c_str(), "rb"), nullptr);
}

namespace {

// 32-bit top-down pixels: inside pixels red, outside pixels the key green.
struct Shape {
    int width, height;
    std::vector<uint8_t> pixels;
    Shape(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {
        for (int i = 0; i < w * h; ++i) Set(i % w, i / w, 0, 255, 0);
    }
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = 0;
    }
    std::vector<ysp::RunRect> Runs(ysp::KeyColour tolerance = {16, 16, 16}) const {
        std::vector<ysp::RunRect> out;
        ysp::CollectShapeRuns(pixels.data(), width, height, {0, 255, 0}, tolerance, out);
        return out;
    }
};

// Paints the rectangles and fails on overlaps; returns the covered pixels.
std::vector<int> Cover(const std::vector<ysp::RunRect>& rects, int width, int height) {
    std::vector<int> covered(static_cast<size_t>(width) * height, 0);
    for (const auto& r : rects) {
        EXPECT_LE(0, r.left);
        EXPECT_LE(r.right, width);
        EXPECT_LE(0, r.top);
        EXPECT_LE(r.bottom, height);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) ++covered[static_cast<size_t>(y) * width + x];
    }
    return covered;
}

}  // namespace

TEST(ShapeRuns, RunsReachingTheRightEdgeEndThereOnEveryRowAndDoNotLeak) {
    Shape s(6, 3);
    for (int y = 0; y < 3; ++y) s.Set(5, y, 255, 0, 0);  // right-most column inside
    s.Set(0, 1, 255, 0, 0);                              // left-most pixel of the next row
    const auto runs = s.Runs();
    const auto covered = Cover(runs, 6, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x == 5 || (x == 0 && y == 1);
            EXPECT_EQ(covered[y * 6 + x], inside ? 1 : 0) << x << "," << y;
        }
    }
    // The right column is one rectangle grown over all three rows.
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].left, 5);
    EXPECT_EQ(runs[0].right, 6);
    EXPECT_EQ(runs[0].bottom, 3);
}

TEST(ShapeRuns, ToleranceIsPerChannelAndInclusive) {
    Shape s(4, 1);
    s.Set(0, 0, 16, 239, 16);  // exactly at the tolerance: outside the shape
    s.Set(1, 0, 17, 255, 0);   // red one past: inside
    s.Set(2, 0, 0, 238, 0);    // green one past: inside
    s.Set(3, 0, 0, 255, 17);   // blue one past: inside
    const auto covered = Cover(s.Runs(), 4, 1);
    EXPECT_EQ(covered, (std::vector<int>{0, 1, 1, 1}));
    EXPECT_TRUE(Shape(3, 3).Runs().empty());
}

TEST(ShapeRuns, CoverExactlyTheInsidePixelsOfARandomShape) {
    std::mt19937 rng(3);
    Shape s(37, 23);
    std::vector<int> expected(37 * 23, 0);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 37; ++x) {
            if (rng() % 3 == 0 || (x > 10 && x < 20)) {
                s.Set(x, y, 200, 10, 30);
                expected[y * 37 + x] = 1;
            }
        }
    }
    const auto runs = s.Runs();
    EXPECT_EQ(Cover(runs, 37, 23), expected);
}

namespace {

// A synthetic 10-row font of solid blocks with an empty first row and column. The glyph widths
// tell the characters apart: ' ' 4, ':' 6, '-' 7, every other character 5.
ysp::GlyphAtlas BlockFont() {
    ysp::GlyphAtlas atlas(10);
    for (int c = 32; c < 127; ++c) {
        const int width = c == ' ' ? 4 : c == ':' ? 6 : c == '-' ? 7 : 5;
        std::vector<uint8_t> coverage(static_cast<size_t>(width) * 10, 0);
        if (c != ' ')
            for (int y = 1; y < 9; ++y)
                for (int x = 1; x < width; ++x) coverage[y * width + x] = 255;
        atlas.SetGlyph(static_cast<char>(c), width, coverage.data());
    }
    return atlas;
}

}  // namespace

TEST(TextStamp, ClockSeparatorsAreDrawnAsDateAndTimeSeparators) {
    EXPECT_EQ(ysp::StampCharFor(':'), '-');
    EXPECT_EQ(ysp::StampCharFor(';'), ':');
    EXPECT_EQ(ysp::StampCharFor('<'), ' ');
    EXPECT_EQ(ysp::StampCharFor('7'), '7');
    const auto atlas = BlockFont();
    ysp::TextStamp stamp;
    stamp.Compose(atlas, "1<2;:");
    EXPECT_EQ(stamp.TextWidth(), 5 + 4 + 5 + 6 + 7);  // '<' as ' ', ';' as ':', ':' as '-'
    EXPECT_EQ(stamp.TextHeight(), 10);
    const uint8_t* row = stamp.Fill() + 2 * stamp.PlaneWidth() + 1;  // text row 1
    EXPECT_EQ(row[9], 0);                                            // first column of '2'
    EXPECT_EQ(row[10], 255);                                         // inside '2'
    EXPECT_EQ(row[5], 0);                                            // the space
    EXPECT_EQ(stamp.PlaneWidth(), stamp.TextWidth() + 2);
}

TEST(TextStamp, TextIsLightWithADarkOutlineOnAnyBackground) {
    const auto atlas = BlockFont();
    ysp::TextStamp stamp;
    stamp.Compose(atlas, "8");
    const int width = 20;
    const int height = 16;
    for (uint8_t background : {0, 128, 255}) {
        std::vector<uint8_t> frame(width * height * 3, background);
        ysp::BlendStamp(frame.data(), width, height, stamp, 5, 12);
        // Glyph pixel (1..5, 1..8): glyph row 1 sits in buffer row 12 - 1 = 11, column 5 + 1.
        auto at = [&](int x, int row) { return frame[(row * width + x) * 3]; };
        EXPECT_EQ(at(7, 9), 255) << int(background);  // inside the glyph
        EXPECT_EQ(at(5, 12), 0) << int(background);   // outline left of and above the glyph
        EXPECT_EQ(at(5, 11), 0) << int(background);
        EXPECT_EQ(at(0, 0), background);  // untouched away from the text
        EXPECT_EQ(at(19, 12), background);
    }
    // Full coverage is pure white whatever was below.
    std::vector<uint8_t> full(4 * 4, 255);
    stamp.SetMask(4, 4, full.data());
    std::vector<uint8_t> frame(10 * 10 * 3, 40);
    ysp::BlendStamp(frame.data(), 10, 10, stamp, 3, 6);
    EXPECT_EQ(frame[(5 * 10 + 4) * 3 + 1], 255);
    EXPECT_EQ(frame[(7 * 10 + 4) * 3 + 1], 0);  // outline row above the text (buffer row y + 1)
    EXPECT_EQ(frame[(8 * 10 + 4) * 3 + 1], 40);
}

TEST(TextStamp, StampsAreClippedAtEveryEdge) {
    const auto atlas = BlockFont();
    ysp::TextStamp stamp;
    stamp.Compose(atlas, "2026:12:07<22;08;49");
    for (int x : {-200, -3, 0, 5, 14, 15, 16, 300}) {
        for (int y : {-20, -1, 0, 3, 15, 16, 40}) {
            std::vector<uint8_t> frame(16 * 16 * 3, 90);
            ysp::BlendStamp(frame.data(), 16, 16, stamp, x, y);  // ASan catches a stray write
        }
    }
    std::vector<uint8_t> frame(16 * 16 * 3, 90);
    ysp::BlendStamp(frame.data(), 16, 16, stamp, -200, 8);
    EXPECT_EQ(frame, std::vector<uint8_t>(16 * 16 * 3, 90));
}
