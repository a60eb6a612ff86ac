#include <gtest/gtest.h>

#include <algorithm>

#include "camera/libs/PelFilters/kernels/DigitalZoom.h"
#include "camera/libs/PelFilters/kernels/Flip.h"
#include "camera/libs/PelFilters/kernels/Mosaic.h"
#include "camera/libs/PelFilters/kernels/ReversalProcessor.h"
#include "tests/camera/kernels/TestFrame.h"

namespace {

TEST(Flip, VerticalSwapsLinesAndKeepsPadding) {
    for (int height : {1, 4, 5}) {
        TestFrame f(5, height);  // 15 bytes a row, padded to 16
        f.FillWithPositions();
        pel::FlipVertical(f.View());
        for (int line = 0; line < height; ++line)
            for (int x = 0; x < 5; ++x) {
                ASSERT_EQ(f.Blue(x, line), x);
                ASSERT_EQ(f.Green(x, line), height - 1 - line);
            }
        EXPECT_TRUE(f.PaddingIntact());
    }
}

TEST(Flip, HorizontalMirrorsColumnsAndKeepsPadding) {
    for (int width : {1, 4, 5, 7}) {
        TestFrame f(width, 3);
        f.FillWithPositions();
        pel::MirrorHorizontal(f.View());
        for (int line = 0; line < 3; ++line)
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(f.Blue(x, line), width - 1 - x) << width;
                ASSERT_EQ(f.Green(x, line), line);
                ASSERT_EQ(f.Red(x, line), 7);
            }
        EXPECT_TRUE(f.PaddingIntact());
    }
}

// Every square width against the mean worked out square by square, on noise with cut-short edges.
TEST(Mosaic, EverySquareIsItsRoundedMean) {
    for (int block = 2; block <= 9; ++block) {
        const int w = 23, h = 17;
        TestFrame f(w, h, block % 2 == 0);
        std::uint32_t state = static_cast<std::uint32_t>(block);
        for (int line = 0; line < h; ++line)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c)
                    f.At(x, line)[c] =
                        static_cast<std::uint8_t>((state = state * 1664525u + 1013904223u) >> 24);
        TestFrame source = f;
        pel::ApplyMosaic(f.View(), block);
        for (int line = 0; line < h; ++line)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) {
                    const int x0 = x / block * block, y0 = line / block * block;
                    const int x1 = std::min(x0 + block, w), y1 = std::min(y0 + block, h);
                    int sum = 0;
                    for (int yy = y0; yy < y1; ++yy)
                        for (int xx = x0; xx < x1; ++xx) sum += source.At(xx, yy)[c];
                    const int count = (x1 - x0) * (y1 - y0);
                    ASSERT_EQ(f.At(x, line)[c], (sum + count / 2) / count)
                        << block << ": " << x << "," << line;
                }
        EXPECT_TRUE(f.PaddingIntact());
    }
}

TEST(Mosaic, WidthZeroOrOneChangesNothingAndALargeSquareCoversAll) {
    TestFrame f(6, 4);
    f.FillWithPositions();
    const auto before = f.bytes;
    pel::ApplyMosaic(f.View(), 0);
    pel::ApplyMosaic(f.View(), 1);
    pel::ApplyMosaic(f.View(), -3);
    EXPECT_EQ(f.bytes, before);

    pel::ApplyMosaic(f.View(), 24);
    for (int line = 0; line < 4; ++line)
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(f.Blue(x, line), 3);   // mean of 0..5 = 2.5, rounded
            ASSERT_EQ(f.Green(x, line), 2);  // mean of 0..3 = 1.5, rounded
        }
}

TEST(DigitalZoom, FactorOneLeavesThePicture) {
    TestFrame f(8, 6);
    f.FillWithPositions();
    const auto before = f.bytes;
    pel::DigitalZoom zoom;
    zoom.Apply(f.View(), 1);
    zoom.Apply(f.View(), 0);  // below the range: taken as 1
    EXPECT_EQ(f.bytes, before);
}

// Against bilinear sampling written out in doubles, on noise (so a pixel taken from the wrong place
// shows at once); the kernel works in 1/256 pixel and rounds twice, hence the tolerance.
TEST(DigitalZoom, MatchesPlainBilinearSampling) {
    const struct { int w, h; } sizes[] = {{37, 23}, {1, 1}, {2, 3}, {5, 2}, {64, 48}};
    for (const auto size : sizes)
        for (int factor : {2, 3, 4}) {
            const int w = size.w, h = size.h;
            const bool topDown = w % 2 == 1;
            TestFrame f(w, h, topDown);
            std::uint32_t state = 12345u + static_cast<std::uint32_t>(factor);
            for (int line = 0; line < h; ++line)
                for (int x = 0; x < w; ++x) {
                    std::uint8_t c[3];
                    for (auto& v : c)
                        v = static_cast<std::uint8_t>((state = state * 1664525u + 1013904223u) >> 24);
                    f.Set(x, line, c[0], c[1], c[2]);
                }
            const TestFrame source = f;
            pel::DigitalZoom zoom;
            zoom.Apply(f.View(), factor);
            auto at = [&](int x, int line, int c) {
                TestFrame& s = const_cast<TestFrame&>(source);
                return static_cast<double>(s.At(x, line)[c]);
            };
            for (int line = 0; line < h; ++line)
                for (int x = 0; x < w; ++x) {
                    const double sx = w / 2.0 + (x + 0.5 - w / 2.0) / factor - 0.5;
                    const double sy = h / 2.0 + (line + 0.5 - h / 2.0) / factor - 0.5;
                    const int x0 = static_cast<int>(sx), y0 = static_cast<int>(sy);
                    const double u = sx - x0, v = sy - y0;
                    for (int c = 0; c < 3; ++c) {
                        const double expected =
                            (1 - v) * ((1 - u) * at(x0, y0, c) + u * at(std::min(x0 + 1, w - 1), y0, c)) +
                            v * ((1 - u) * at(x0, std::min(y0 + 1, h - 1), c) +
                                 u * at(std::min(x0 + 1, w - 1), std::min(y0 + 1, h - 1), c));
                        ASSERT_NEAR(f.At(x, line)[c], expected, 2.5)
                            << "factor " << factor << " at " << x << "," << line << " channel " << c;
                    }
                }
            EXPECT_TRUE(f.PaddingIntact());
        }
}

TEST(ReversalProcessor, BothFlipsTurnThePictureAndMosaicComesLast) {
    TestFrame f(4, 4);
    f.FillWithPositions();
    pel::ReversalProcessor processor;
    pel::ReversalSettings settings;
    settings.vertical = true;
    settings.horizontal = true;
    processor.Process(f.View(), settings);
    EXPECT_EQ(f.Blue(0, 0), 3);
    EXPECT_EQ(f.Green(0, 0), 3);
    EXPECT_EQ(f.Blue(3, 1), 0);
    EXPECT_EQ(f.Green(3, 1), 2);

    settings.vertical = settings.horizontal = false;
    settings.mosaicWidth = 4;
    settings.zoom = 2;
    processor.Process(f.View(), settings);
    for (int line = 0; line < 4; ++line)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(f.At(x, line)[0], f.At(0, 0)[0]);
}

}  // namespace
