// The photo frames drawn at build time are read by the frame bitmap reader and have an open middle.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "camera/frame/FrameBitmap.h"

namespace {

TEST(ShippedFrames, ReadAsThirtyTwoBitFramesWithAnOpenMiddle) {
    for (const char* name : {"Gold", "Wood", "Film", "Hearts"}) {
        std::ifstream file(std::string(PHOTO_FRAMES_DIR) + "/" + name + ".bmp", std::ios::binary);
        ASSERT_TRUE(file) << name;
        const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                              std::istreambuf_iterator<char>());
        FrameBitmap frame;
        ASSERT_EQ(ParseFrameBitmap(bytes.data(), bytes.size(), frame), FrameBitmapStatus::Ok) << name;
        EXPECT_EQ(frame.width, 640);
        EXPECT_EQ(frame.height, 480);
        auto alpha = [&](int x, int line) { return frame.pixels[((479 - line) * 640 + x) * 4 + 3]; };
        EXPECT_EQ(alpha(320, 240), 0) << name;
        EXPECT_EQ(alpha(200, 150), 0) << name;
        std::size_t covered = 0;
        for (std::size_t i = 3; i < frame.pixels.size(); i += 4) covered += frame.pixels[i] != 0;
        EXPECT_GT(covered, frame.pixels.size() / 4 / 20) << name;  // a visible border
        EXPECT_LT(covered, frame.pixels.size() / 4 / 2) << name;   // most of the picture shows
    }
}

}  // namespace
