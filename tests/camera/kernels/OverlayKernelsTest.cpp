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

TEST(FrameOverlay, WithoutAlphaTheMiddleColourIsTheHole) {
    FrameImage image(5, 5);
    for (int line = 0; line < 5; ++line)
        for (int x = 0; x < 5; ++x) image.Set(x, line, 0, 0, 255, 0);  // red border everywhere...
    for (int line = 1; line < 4; ++line)
        for (int x = 1; x < 4; ++x) image.Set(x, line, 255, 255, 255, 0);  // ...white middle, no alpha
    TestFrame f(5, 5);
    FillVideo(f, 9, 9, 9);
    pel::FrameOverlay overlay;
    overlay.SetFrame(image.pixels.data(), 5, 5);
    overlay.Apply(f.View());
    EXPECT_EQ(f.Red(0, 0), 255);
    EXPECT_EQ(f.Blue(0, 0), 0);
    EXPECT_EQ(f.Red(4, 2), 255);
    EXPECT_EQ(f.Red(2, 2), 9);
    EXPECT_EQ(f.Blue(1, 3), 9);
}

TEST(FrameOverlay, OtherSizesAreScaledAndNoFrameDrawsNothing) {
    FrameImage image(2, 2);
    for (int line = 0; line < 2; ++line)
        for (int x = 0; x < 2; ++x) image.Set(x, line, 0, 255, 0, 255);
    TestFrame f(7, 5);
    FillVideo(f, 1, 1, 1);
    pel::FrameOverlay overlay;
    overlay.SetFrame(image.pixels.data(), 2, 2);
    overlay.Apply(f.View());
    for (int line = 0; line < 5; ++line)
        for (int x = 0; x < 7; ++x) ASSERT_GE(f.Green(x, line), 250) << x << "," << line;

    overlay.SetFrame(nullptr, 0, 0);
    EXPECT_FALSE(overlay.HasFrame());
    FillVideo(f, 1, 1, 1);
    const Bytes before = f.bytes;
    overlay.Apply(f.View());
    EXPECT_EQ(f.bytes, before);
}

TEST(TextOverlay, InkInItsColourCentredAboveTheBottom) {
    // 3 x 2 mask, top row first: an L shape.
    const Bytes mask = {1, 0, 0, 1, 1, 1};
    pel::TextOverlay text;
    text.SetText(mask.data(), 3, 2, 0x00FF8000);  // COLORREF: red 0x00, green 0x80, blue 0xFF
    TestFrame f(11, 20);
    FillVideo(f, 5, 5, 5);
    text.Apply(f.View());
    const auto at = text.Place(11, 20);
    EXPECT_EQ(at.left, 4);
    EXPECT_EQ(at.top, 20 - 2 - 2);
    EXPECT_EQ(f.Blue(4, 16), 0xFF);
    EXPECT_EQ(f.Green(4, 16), 0x80);
    EXPECT_EQ(f.Red(4, 16), 0x00);
    EXPECT_EQ(f.Blue(5, 16), 5);  // no ink
    EXPECT_EQ(f.Blue(6, 17), 0xFF);
    EXPECT_EQ(f.Blue(7, 17), 5);  // right of the text
    EXPECT_EQ(f.Blue(4, 18), 5);  // below the text
    EXPECT_TRUE(f.PaddingIntact());
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
