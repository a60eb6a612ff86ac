#include <gtest/gtest.h>

#include <vector>

#include "camera/libs/PelFilters/kernels/FrameOverlay.h"
#include "camera/libs/PelFilters/kernels/TextOverlay.h"
#include "tests/camera/kernels/TestFrame.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A frame bitmap in file order (bottom row first), every pixel B G R A.
struct FrameImage {
    int width, height;
    Bytes pixels;
    FrameImage(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 4, 0) {}
    // Pixel at column x of picture line `line` (0 = top).
    void Set(int x, int line, std::uint8_t b, std::uint8_t g, std::uint8_t r, std::uint8_t a) {
        std::uint8_t* p = &pixels[(static_cast<std::size_t>(height - 1 - line) * width + x) * 4];
        p[0] = b;
        p[1] = g;
        p[2] = r;
        p[3] = a;
    }
};

void FillVideo(TestFrame& f, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    for (int line = 0; line < f.height; ++line)
        for (int x = 0; x < f.width; ++x) f.Set(x, line, b, g, r);
}

TEST(FrameOverlay, AlphaCoversMixesOrLetsThrough) {
    for (bool topDown : {false, true}) {
        FrameImage image(3, 2);
        image.Set(0, 0, 10, 20, 30, 255);   // top-left: opaque
        image.Set(1, 0, 200, 100, 0, 128);  // half
        image.Set(2, 0, 50, 50, 50, 0);     // clear
        image.Set(0, 1, 1, 2, 3, 255);      // bottom-left: opaque
        TestFrame f(3, 2, topDown);
        FillVideo(f, 100, 100, 100);

        pel::FrameOverlay overlay;
        overlay.SetFrame(image.pixels.data(), 3, 2);
        overlay.Apply(f.View());
        EXPECT_EQ(f.Blue(0, 0), 10);
        EXPECT_EQ(f.Red(0, 0), 30);
        EXPECT_EQ(f.Blue(0, 1), 1);  // the file's bottom row lands on the picture's bottom line
        EXPECT_EQ(f.Red(0, 1), 3);
        EXPECT_EQ(f.Blue(1, 0), 150);  // (200 x 128 + 100 x 127) / 255
        EXPECT_EQ(f.Green(1, 0), 100);
        EXPECT_EQ(f.Red(1, 0), 50);
        EXPECT_EQ(f.Blue(2, 0), 100);
        EXPECT_EQ(f.Blue(1, 1), 100);
        EXPECT_TRUE(f.PaddingIntact());
    }
}

TEST(TextOverlay, CoverageMasksMixAndLargeTextsAreCut) {
    const Bytes coverage = {255, 128, 0};
    pel::TextOverlay text;
    text.SetText(coverage.data(), 3, 1, 0x000000FF);  // red
    TestFrame f(3, 10);
    FillVideo(f, 0, 0, 0);
    text.Apply(f.View());
    const int line = text.Place(3, 10).top;
    EXPECT_EQ(f.Red(0, line), 255);
    EXPECT_EQ(f.Red(1, line), 128);
    EXPECT_EQ(f.Red(2, line), 0);

    const Bytes big(40 * 30, 1);
    text.SetText(big.data(), 40, 30, 0x00FFFFFF);
    TestFrame small(6, 4);
    text.Apply(small.View());
    EXPECT_EQ(small.Blue(0, 0), 255);
    EXPECT_EQ(small.Blue(5, 3), 255);
    EXPECT_TRUE(small.PaddingIntact());

    text.SetText(nullptr, 0, 0, 0);
    EXPECT_FALSE(text.HasText());
}

}  // namespace
