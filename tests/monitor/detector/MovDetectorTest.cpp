// The motion detector: noise and slow light give no boxes, moving things do, and the fast code
// agrees with the straightforward reference frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "monitor/libs/YsDetector/MovDetector.h"
#include "tests/monitor/detector/ReferenceDetector.h"

namespace {

// A textured scene (bottom-up BGR) with an optional dark square, a global brightness offset and
// Gaussian sensor noise.
class Scene {
  public:
    Scene(int w, int h) : w_(w), h_(h), rng_(11), normal_(1 << 16) {
        std::normal_distribution<double> gauss(0.0, 1.0);
        for (double& v : normal_) v = gauss(rng_);
    }

    struct Square {
        int left, top, size;  // picture coordinates, row 0 at the top
    };

    std::vector<uint8_t> Frame(const std::vector<Square>& squares, int brightness = 0, double noise = 0) {
        std::vector<uint8_t> f(static_cast<size_t>(w_) * h_ * 3);
        // Noise comes from a table of normal samples read from a random start: fast enough for
        // long sequences under the sanitizers, and still different in every frame.
        size_t k = rng_();
        for (int top = 0; top < h_; ++top) {
            uint8_t* row = &f[static_cast<size_t>(h_ - 1 - top) * w_ * 3];
            for (int x = 0; x < w_; ++x) {
                int v = 90 + (x * 7 + top * 3) % 60 + ((x / 16 + top / 16) % 2) * 30 + brightness;
                for (const Square& s : squares)
                    if (x >= s.left && x < s.left + s.size && top >= s.top && top < s.top + s.size) v = 20;
                for (int c = 0; c < 3; ++c) {
                    const int n = noise > 0 ? static_cast<int>(noise * normal_[k++ & 0xFFFF]) : 0;
                    row[3 * x + c] = static_cast<uint8_t>(std::clamp(v + n + c * 5, 0, 255));
                }
            }
        }
        return f;
    }

  private:
    int w_, h_;
    std::mt19937 rng_;
    std::vector<double> normal_;
};

int Boxes(const CMovDetector& d) {
    return d.m_nLastBox + 1;
}

}  // namespace

TEST(MovDetector, InitRefusesUnusableSizesAndAnUninitialisedDetectorFindsNothing) {
    CMovDetector d;
    EXPECT_FALSE(d.Init(0, 240));
    EXPECT_FALSE(d.Init(320, -1));
    std::vector<uint8_t> frame(320 * 240 * 3, 7), mask(320 * 240, 1);
    d.GenerateMask(frame.data(), mask.data(), 30);
    EXPECT_EQ(d.m_nLastBox, -1);
    ASSERT_NE(d.m_pBoxes, nullptr);
    EXPECT_TRUE(d.Init(320, 240));
    d.GenerateMask(frame.data(), mask.data(), 30);  // first frame: background only
    EXPECT_EQ(d.m_nLastBox, -1);
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 0), 320 * 240);
    d.Release();
    d.GenerateMask(frame.data(), mask.data(), 30);
    EXPECT_EQ(d.m_nLastBox, -1);
}

TEST(MovDetector, SensorNoiseAndSlowLightChangesGiveNoBoxes) {
    const int w = 320, h = 240;
    Scene scene(w, h);
    CMovDetector d;
    ASSERT_TRUE(d.Init(w, h));
    std::vector<uint8_t> mask(w * h);
    int boxes = 0;
    // Noise of 4 levels, then the light rising 40 levels over two seconds and falling back.
    for (int i = 0; i < 160; ++i) {
        const int light = i < 40 ? 0 : i < 80 ? (i - 40) : i < 120 ? 40 - (i - 80) : 0;
        const auto frame = scene.Frame({}, light, 4.0);
        d.GenerateMask(frame.data(), mask.data(), 30);
        boxes += Boxes(d);
    }
    EXPECT_EQ(boxes, 0);
    EXPECT_EQ(std::count(mask.begin(), mask.end(), 255), 0);
}

TEST(MovDetector, AMovingObjectGetsABoxAroundIt) {
    const int w = 320, h = 240;
    Scene scene(w, h);
    CMovDetector d;
    ASSERT_TRUE(d.Init(w, h));
    std::vector<uint8_t> mask(w * h);
    for (int i = 0; i < 5; ++i) {
        const auto still = scene.Frame({}, 0, 3.0);
        d.GenerateMask(still.data(), mask.data(), 30);
    }
    // A 30-pixel square near the top left moving right by 6 pixels a frame.
    for (int step = 0; step < 10; ++step) {
        const Scene::Square square{40 + 6 * step, 20, 30};
        const auto frame = scene.Frame({square}, 0, 3.0);
        d.GenerateMask(frame.data(), mask.data(), 30);
        ASSERT_EQ(Boxes(d), 1) << "step " << step;
        const MOVBOX& box = d.m_pBoxes[0];
        // Box bounds in picture coordinates: around the square, reaching back at most to where the
        // background still remembers it.
        EXPECT_LE(box.top, square.top);
        EXPECT_GE(box.bottom, square.top + square.size);
        EXPECT_LE(box.left, square.left + 1);
        EXPECT_GE(box.right, square.left + square.size);
        EXPECT_GE(box.top, square.top - 8);
        EXPECT_LE(box.bottom, square.top + square.size + 8);
        EXPECT_LE(box.right, square.left + square.size + 8);
        EXPECT_GE(box.left, 40 - 8);
        // Extents as the monitor tests them: fourth minus third is the width.
        EXPECT_GT(box.right - box.left, 20);
        EXPECT_GT(box.bottom - box.top, 15);
        // The mask marks the square in the bottom-up buffer.
        const int row = h - 1 - (square.top + 15);
        EXPECT_EQ(mask[static_cast<size_t>(row) * w + square.left + 15], 255);
    }
}

TEST(MovDetector, SensitivityIsTheBrightnessChangeThatStillCountsAsNoChange) {
    const int w = 64, h = 48;
    for (const int step : {30, 31}) {
        CMovDetector d;
        ASSERT_TRUE(d.Init(w, h));
        std::vector<uint8_t> frame(w * h * 3, 100), mask(w * h);
        d.GenerateMask(frame.data(), mask.data(), 30);
        for (int row = 8; row < 24; ++row)  // a 16 x 16 patch brighter by `step` in every channel
            for (int x = 16; x < 32; ++x)
                for (int c = 0; c < 3; ++c) frame[(row * w + x) * 3 + c] = static_cast<uint8_t>(100 + step);
        d.GenerateMask(frame.data(), mask.data(), 30);
        EXPECT_EQ(Boxes(d), step > 30 ? 1 : 0) << step;
        EXPECT_EQ(std::count(mask.begin(), mask.end(), 255), step > 30 ? 256 : 0) << step;
    }
}

TEST(MovDetector, SeparateObjectsGetSeparateBoxesLargestFirst) {
    const int w = 160, h = 120;
    Scene scene(w, h);
    CMovDetector d;
    ASSERT_TRUE(d.Init(w, h));
    std::vector<uint8_t> mask(w * h);
    const auto still = scene.Frame({});
    d.GenerateMask(still.data(), mask.data(), 30);
    const auto moved = scene.Frame({{10, 10, 16}, {100, 70, 40}});
    d.GenerateMask(moved.data(), mask.data(), 30);
    ASSERT_EQ(Boxes(d), 2);
    EXPECT_EQ(d.m_pBoxes[0].left, 100);
    EXPECT_EQ(d.m_pBoxes[0].right, 140);
    EXPECT_EQ(d.m_pBoxes[0].top, 70);
    EXPECT_EQ(d.m_pBoxes[0].bottom, 110);
    EXPECT_EQ(d.m_pBoxes[1].left, 10);
    EXPECT_EQ(d.m_pBoxes[1].bottom - d.m_pBoxes[1].top, 16);
}

TEST(MovDetector, KeepsTheLargestBoxesWhenThereAreTooMany) {
    const int w = 320, h = 240;
    Scene scene(w, h);
    CMovDetector d;
    ASSERT_TRUE(d.Init(w, h));
    std::vector<uint8_t> mask(w * h);
    const auto still = scene.Frame({});
    d.GenerateMask(still.data(), mask.data(), 30);
    std::vector<Scene::Square> squares;  // 13 x 10 squares 8 pixels wide, 24 apart; one larger
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 13; ++x) squares.push_back({x * 24, y * 24, 8});
    squares.push_back({304, 100, 16});  // clear of the grid by one block
    const auto moved = scene.Frame(squares);
    d.GenerateMask(moved.data(), mask.data(), 30);
    ASSERT_EQ(d.m_nLastBox, CMovDetector::kMaxBoxes - 1);
    EXPECT_EQ(d.m_pBoxes[0].right - d.m_pBoxes[0].left, 16);
}

TEST(MovDetector, MatchesTheReferenceFrameByFrame) {
    for (const auto& size : {std::pair{160, 120}, std::pair{203, 97}}) {  // also partial edge blocks
        const int w = size.first, h = size.second;
        Scene scene(w, h);
        CMovDetector fast;
        ASSERT_TRUE(fast.Init(w, h));
        refdet::ReferenceDetector reference(w, h);
        std::vector<uint8_t> fastMask(w * h), refMask(w * h);
        for (int i = 0; i < 30; ++i) {
            const int sensitivity = 10 + i;
            const auto frame = scene.Frame({{(i * 7) % w, 15, 25}, {w - 20, (i * 5) % h, 12}}, i % 7, 6.0);
            fast.GenerateMask(frame.data(), fastMask.data(), static_cast<uint8_t>(sensitivity));
            reference.Generate(frame.data(), refMask.data(), sensitivity);
            ASSERT_EQ(fastMask, refMask) << "frame " << i;
            ASSERT_EQ(static_cast<size_t>(fast.m_nLastBox + 1), reference.boxes.size()) << "frame " << i;
            for (size_t b = 0; b < reference.boxes.size(); ++b) {
                const MOVBOX& f = fast.m_pBoxes[b];
                const MOVBOX& r = reference.boxes[b];
                EXPECT_EQ(f.top, r.top);
                EXPECT_EQ(f.bottom, r.bottom);
                EXPECT_EQ(f.left, r.left);
                EXPECT_EQ(f.right, r.right);
            }
        }
    }
}

namespace {

// Picture-coordinate pixel of a bottom-up BGR buffer.
const uint8_t* PixelAt(const std::vector<uint8_t>& f, int w, int h, int x, int top) {
    return &f[(static_cast<size_t>(h - 1 - top) * w + x) * 3];
}

std::vector<uint8_t> Numbered(int w, int h) {
    std::vector<uint8_t> f(static_cast<size_t>(w) * h * 3);
    for (int top = 0; top < h; ++top) {
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &f[(static_cast<size_t>(h - 1 - top) * w + x) * 3];
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(top);
            p[2] = static_cast<uint8_t>(x >> 8);
        }
    }
    return f;
}

}  // namespace

TEST(MovDetectorResize, ScaleIsThePartOfThePictureShownFromTheTopLeftOrigin) {
    const int w = 320, h = 240;
    CMovDetector d;
    ASSERT_TRUE(d.Init(w, h));
    const auto src = Numbered(w, h);
    std::vector<uint8_t> dst(src.size());
    d.Resize(src.data(), dst.data(), 100, 0, 0);
    EXPECT_EQ(dst, src);
    d.Resize(src.data(), dst.data(), 200, 0, 0);  // more than the whole picture: the whole picture
    EXPECT_EQ(dst, src);

    d.Resize(src.data(), dst.data(), 50, 0, 0);  // top-left quarter, doubled
    for (int top = 0; top < h; top += 7) {
        for (int x = 0; x < w; x += 5) {
            EXPECT_EQ(PixelAt(dst, w, h, x, top)[0], x / 2);
            EXPECT_EQ(PixelAt(dst, w, h, x, top)[1], top / 2);
        }
    }
    d.Resize(src.data(), dst.data(), 50, 160, 120);  // the scan's farthest view: bottom-right quarter
    EXPECT_EQ(PixelAt(dst, w, h, 0, 0)[0], 160);
    EXPECT_EQ(PixelAt(dst, w, h, 0, 0)[1], 120);
    EXPECT_EQ(PixelAt(dst, w, h, w - 1, h - 1)[0], 319 - 256);
    EXPECT_EQ(PixelAt(dst, w, h, w - 1, h - 1)[2], 1);
    EXPECT_EQ(PixelAt(dst, w, h, w - 1, h - 1)[1], 239);

    // An origin past the picture (as an unsigned step below zero gives) is moved back inside.
    d.Resize(src.data(), dst.data(), 50, 0u - 5u, 0u - 5u);
    EXPECT_EQ(PixelAt(dst, w, h, 0, 0)[0], 160);
    EXPECT_EQ(PixelAt(dst, w, h, 0, 0)[1], 120);
    d.Resize(src.data(), dst.data(), 0, 10, 10);  // scale 0 is taken as 1 percent
    EXPECT_EQ(PixelAt(dst, w, h, 0, 0)[0], 10);
}
