#include "camera/libs/PelImaging/ResampleBilinear.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/camera/photo/ResampleBilinearTranscription.h"
#include "tests/camera/photo/TestImages.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

template <int N>
Bytes Resample(const Bytes& source, int sw, int sh, int dw, int dh) {
    Bytes out(static_cast<std::size_t>(dw) * dh * N, 0xCD);
    ResampleBilinear<N>(source.data(), sw, sh, dw, dh, out.data());
    return out;
}

template <int N>
Bytes Transcribed(const Bytes& source, int sw, int sh, int dw, int dh) {
    Bytes out(static_cast<std::size_t>(dw) * dh * N, 0xCD);
    ResampleBilinearTranscription<N>(source.data(), sw, sh, dw, dh, out.data());
    return out;
}

// A 640 x 480 picture whose pixels tell their own position.
Bytes PositionPicture(int w, int h) {
    Bytes p(static_cast<std::size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* px = &p[(static_cast<std::size_t>(y) * w + x) * 3];
            px[0] = static_cast<std::uint8_t>(x);
            px[1] = static_cast<std::uint8_t>(y);
            px[2] = static_cast<std::uint8_t>(x ^ y);
        }
    return p;
}

// At the same size every pixel is its own source, except that the clamp to width - 2 and height - 2
// (fraction 0) makes the last column and row repeat the ones before them. Photos of the video size
// therefore take the block copy (PhotoBuffer), not the resampler.
TEST(ResampleBilinear, SameSizeCopiesAllButTheClampedLastLines) {
    const int w = 64, h = 48;
    const Bytes source = NoiseBytes(w * h * 3, 1);
    const Bytes out = Resample<3>(source, w, h, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = x < w - 1 ? x : w - 2, sy = y < h - 1 ? y : h - 2;
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(out[(y * w + x) * 3 + c], source[(sy * w + sx) * 3 + c]) << x << "," << y;
        }
    const Bytes source4 = NoiseBytes(w * h * 4, 2);
    EXPECT_EQ(Resample<4>(source4, w, h, w, h), Transcribed<4>(source4, w, h, w, h));
}

TEST(ResampleBilinear, QuarterSizeSamplesEveryFourthPixel) {
    const Bytes source = PositionPicture(640, 480);
    const Bytes out = Resample<3>(source, 640, 480, 160, 120);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 160; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(out[(y * 160 + x) * 3 + c], source[((4 * y) * 640 + 4 * x) * 3 + c])
                    << x << "," << y;
}

// 640 -> 1600 across: column 1598 lies at 639.2, its index is clamped to 638 while the fraction 0.2
// stays; column 1599 (the last) uses column 638 alone.
TEST(ResampleBilinear, LastColumnsOfAnUpscaleKeepTheirFraction) {
    Bytes source(640 * 480 * 3, 0);
    for (int y = 0; y < 480; ++y)
        for (int c = 0; c < 3; ++c) {
            source[(y * 640 + 638) * 3 + c] = 100;
            source[(y * 640 + 639) * 3 + c] = 200;
        }
    const Bytes out = Resample<3>(source, 640, 480, 1600, 1200);
    EXPECT_EQ(out, Transcribed<3>(source, 640, 480, 1600, 1200));
    const int c1598 = out[(0 * 1600 + 1598) * 3];
    const int c1599 = out[(0 * 1600 + 1599) * 3];
    EXPECT_GE(c1598, 119);  // 100 x 0.8 + 200 x 0.2, less the truncation of the weights
    EXPECT_LE(c1598, 120);
    EXPECT_GE(c1599, 99);  // column 638 alone, weights 0.4 + 0.6 truncated
    EXPECT_LE(c1599, 100);

    // Column 639 plays no part in the last destination column.
    for (int y = 0; y < 480; ++y) source[(y * 640 + 639) * 3] = 0;
    const Bytes changed = Resample<3>(source, 640, 480, 1600, 1200);
    for (int y = 0; y < 1200; ++y) ASSERT_EQ(changed[(y * 1600 + 1599) * 3], out[(y * 1600 + 1599) * 3]);
}

TEST(ResampleBilinear, MatchesThePlainAlgorithmByteForByte) {
    struct Case {
        int sw, sh, dw, dh;
    };
    const Case cases[] = {{2, 2, 7, 5},           {37, 23, 100, 61},      {640, 480, 176, 144},
                          {640, 480, 1600, 1200}, {1600, 1200, 640, 480}, {640, 480, 639, 479},
                          {3, 5, 2, 2},           {640, 480, 5160, 3870}};
    std::uint32_t seed = 10;
    for (const Case& k : cases) {
        const Bytes s3 = NoiseBytes(static_cast<std::size_t>(k.sw) * k.sh * 3, ++seed);
        ASSERT_EQ(Resample<3>(s3, k.sw, k.sh, k.dw, k.dh), Transcribed<3>(s3, k.sw, k.sh, k.dw, k.dh))
            << k.sw << "x" << k.sh << " -> " << k.dw << "x" << k.dh;
        if (k.dw * k.dh > 4000000) continue;
        const Bytes s4 = NoiseBytes(static_cast<std::size_t>(k.sw) * k.sh * 4, ++seed);
        ASSERT_EQ(Resample<4>(s4, k.sw, k.sh, k.dw, k.dh), Transcribed<4>(s4, k.sw, k.sh, k.dw, k.dh))
            << "4 bytes " << k.sw << "x" << k.sh << " -> " << k.dw << "x" << k.dh;
    }
}

// A source one pixel wide or high has no second column or row: its only one stands in, so every
// output pixel stays within the truncation loss of the source colour (and the sanitizers see no
// read outside the source).
TEST(ResampleBilinear, OnePixelWideOrHighSourcesStayInside) {
    struct Case {
        int sw, sh, dw, dh;
    };
    const Case cases[] = {{1, 1, 1, 1},  {1, 1, 5, 3},       {1, 7, 4, 9},
                          {9, 1, 16, 4}, {1, 480, 640, 480}, {640, 1, 3, 2}};
    for (const Case& k : cases) {
        // Constant along the one-pixel side, so the expected colour is known everywhere.
        Bytes source(static_cast<std::size_t>(k.sw) * k.sh * 3);
        for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint8_t>(200 + i % 3);
        const Bytes out = Resample<3>(source, k.sw, k.sh, k.dw, k.dh);
        EXPECT_EQ(out[0], source[0]);
        for (std::size_t i = 0; i < out.size(); ++i) {
            const int expected = 200 + static_cast<int>(i % 3);
            ASSERT_LE(out[i], expected) << k.sw << "x" << k.sh << " byte " << i;
            ASSERT_GE(out[i], expected - 3) << k.sw << "x" << k.sh << " byte " << i;
        }
    }
    const Bytes one4 = {10, 20, 30, 40};
    const Bytes out4 = Resample<4>(one4, 1, 1, 2, 2);
    EXPECT_EQ(Bytes(out4.begin(), out4.begin() + 4), one4);
}

TEST(ResampleBilinear, EmptyInputsWriteNothing) {
    Bytes source(12, 7), out(12, 0xCD);
    ResampleBilinear<3>(nullptr, 2, 2, 2, 2, out.data());
    ResampleBilinear<3>(source.data(), 0, 2, 2, 2, out.data());
    ResampleBilinear<3>(source.data(), 2, -1, 2, 2, out.data());
    ResampleBilinear<3>(source.data(), 2, 2, 0, 2, out.data());
    ResampleBilinear<3>(source.data(), 2, 2, 2, 2, nullptr);
    EXPECT_EQ(out, Bytes(12, 0xCD));
}

}  // namespace
