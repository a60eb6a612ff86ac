#include "devices/testcam/CameraSizes.h"
#include "devices/testcam/TestPattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using testcam::DrawTestPattern;
using testcam::PatternClock;
using testcam::ReadFrameCounter;

struct Picture {
    Picture(int w, int h, int stride) : width(w), height(h), stride(stride), pixels(size_t(stride) * h + 16, 0x5A) {}
    int width, height, stride;
    std::vector<uint8_t> pixels;
    const uint8_t* At(int x, int yTop) const { return &pixels[size_t(height - 1 - yTop) * stride + x * 3]; }
};

TEST(TestPattern, CounterReadsBackAtEveryCameraSize) {
    for (const testcam::CameraSize& s : testcam::kCameraSizes) {
        Picture p(s.width, s.height, s.width * 3);
        DrawTestPattern(p.pixels.data(), s.width, s.height, p.stride, 1234567, PatternClock{23, 59, 58, 999});
        EXPECT_EQ(1234567, ReadFrameCounter(p.pixels.data(), s.width, s.height, p.stride)) << s.width;
    }
}

TEST(TestPattern, BackgroundStaysStillWhileTheSquareMoves) {
    const int w = 320, h = 240;
    Picture a(w, h, w * 3), b(w, h, w * 3);
    DrawTestPattern(a.pixels.data(), w, h, a.stride, 10, PatternClock{});
    DrawTestPattern(b.pixels.data(), w, h, b.stride, 11, PatternClock{});
    const auto sa = testcam::MovingSquare(w, h, 10);
    const auto sb = testcam::MovingSquare(w, h, 11);
    EXPECT_NE(sa.x, sb.x);
    EXPECT_EQ(sa.y, sb.y);
    // Pixels outside both squares and the text strip are equal; inside, the square differs.
    int changed = 0;
    for (int y = 0; y < h * 2 / 3; ++y)
        for (int x = 0; x < w; ++x) {
            const bool inA = x >= sa.x && x < sa.x + sa.size && y >= sa.y && y < sa.y + sa.size;
            const bool inB = x >= sb.x && x < sb.x + sb.size && y >= sb.y && y < sb.y + sb.size;
            const bool same = std::equal(a.At(x, y), a.At(x, y) + 3, b.At(x, y));
            if (!inA && !inB) {
                ASSERT_TRUE(same) << x << "," << y;
            }
            if (!same) ++changed;
        }
    EXPECT_GT(changed, 0);
    // The first bar is near-white, the square dark.
    EXPECT_EQ(235, a.At(0, 0)[0]);
    EXPECT_EQ(40, a.At(sa.x + sa.size / 2, sa.y + sa.size / 2)[1]);
    EXPECT_EQ(200, a.At(sa.x, sa.y)[1]);
}

// The camera redraws only the moving parts of its last picture; every frame must still be the
// picture a full draw gives, byte for byte, padding included, at any size and after any jump.
TEST(TestPattern, AdvancedPicturesEqualFullDraws) {
    const int sizes[][2] = {{640, 480}, {1, 1}, {7, 5}, {33, 17}, {160, 120}, {1280, 960}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1], stride = (w * 3 + 3) & ~3;
        Picture advanced(w, h, stride), full(w, h, stride);
        DrawTestPattern(advanced.pixels.data(), w, h, stride, 0, PatternClock{});
        uint32_t previous = 0;
        for (uint32_t frame : {1u, 2u, 3u, 40u, 41u, 500u, 7u, 99999999u, 100000000u}) {
            const PatternClock clock{int(frame % 24), 59, int(frame % 60), int(frame % 1000)};
            testcam::AdvanceTestPattern(advanced.pixels.data(), w, h, stride, previous, frame, clock);
            full.pixels.assign(full.pixels.size(), 0x5A);
            DrawTestPattern(full.pixels.data(), w, h, stride, frame, clock);
            ASSERT_TRUE(advanced.pixels == full.pixels) << w << "x" << h << " frame " << frame;
            previous = frame;
        }
    }
}

TEST(TestPattern, SquareBouncesWithinThePicture) {
    for (uint32_t f = 0; f < 2000; ++f) {
        const auto s = testcam::MovingSquare(160, 120, f);
        ASSERT_GE(s.x, 0);
        ASSERT_LE(s.x + s.size, 160);
    }
}

TEST(TestPattern, PaddedRowsAndTinyPicturesStayInBounds) {
    Picture p(7, 5, 24);  // stride wider than the row; the guard bytes after it must survive
    DrawTestPattern(p.pixels.data(), 7, 5, p.stride, 3, PatternClock{});
    for (size_t i = size_t(p.stride) * 5; i < p.pixels.size(); ++i) EXPECT_EQ(0x5A, p.pixels[i]);
    EXPECT_EQ(0x5A, p.pixels[21]);  // padding of the first row untouched
    EXPECT_EQ(-1, ReadFrameCounter(p.pixels.data(), 7, 5, p.stride));
    DrawTestPattern(nullptr, 7, 5, 24, 0, PatternClock{});
}

TEST(TestPattern, UnreadableStripGivesMinusOne) {
    Picture p(320, 240, 960);
    EXPECT_EQ(-1, ReadFrameCounter(p.pixels.data(), 320, 240, 960));
}

}  // namespace
