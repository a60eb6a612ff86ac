#include "camera/photo/PhotoBuffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "tests/camera/photo/ResampleBilinearTranscription.h"
#include "tests/camera/photo/TestImages.h"

namespace {

TEST(PhotoBuffer, StartsEmptyAndReallocatesOnlyOnAChange) {
    PhotoBuffer buffer;
    EXPECT_TRUE(buffer.Empty());
    EXPECT_EQ(buffer.Param().size, 0);

    ASSERT_TRUE(buffer.Prepare(320, 240));
    EXPECT_EQ(buffer.Param().width, 320);
    EXPECT_EQ(buffer.Param().height, 240);
    EXPECT_EQ(buffer.Param().size, 320 * 240 * 3);
    const unsigned char* first = buffer.Param().pixels;
    ASSERT_NE(first, nullptr);

    buffer.Param().pixels[5] = 42;
    ASSERT_TRUE(buffer.Prepare(320, 240));
    EXPECT_EQ(buffer.Param().pixels, first);
    EXPECT_EQ(buffer.Param().pixels[5], 42);

    ASSERT_TRUE(buffer.Prepare(160, 120));
    EXPECT_EQ(buffer.Param().size, 160 * 120 * 3);

    EXPECT_FALSE(buffer.Prepare(0, 120));
    EXPECT_TRUE(buffer.Empty());
    EXPECT_EQ(buffer.Param().width, 0);
    EXPECT_FALSE(buffer.Prepare(100000, 100000));  // beyond what the size field can hold
    EXPECT_TRUE(buffer.Empty());
}

TEST(PhotoBuffer, PreparedFromThePhotoSizeIndex) {
    PhotoBuffer buffer;
    ASSERT_TRUE(PreparePhotoBuffer(buffer, 2));
    EXPECT_EQ(buffer.Param().width, 320);
    EXPECT_EQ(buffer.Param().height, 240);
    const unsigned char* pixels = buffer.Param().pixels;
    ASSERT_TRUE(PreparePhotoBuffer(buffer, 2));
    EXPECT_EQ(buffer.Param().pixels, pixels);
    ASSERT_TRUE(PreparePhotoBuffer(buffer, 99));
    EXPECT_EQ(buffer.Param().width, 640);
    EXPECT_EQ(buffer.Param().size, 640 * 480 * 3);
}

TEST(PhotoBuffer, FrameOfThePhotoSizeIsCopiedExactly) {
    PhotoBuffer buffer;
    ASSERT_TRUE(buffer.Prepare(640, 480));
    const std::vector<std::uint8_t> frame = NoiseBytes(640 * 480 * 3, 5);
    ASSERT_TRUE(buffer.StoreFrame(frame.data(), 640, 480));
    EXPECT_EQ(std::memcmp(buffer.Param().pixels, frame.data(), frame.size()), 0);
}

TEST(PhotoBuffer, FrameOfAnotherSizeIsScaled) {
    PhotoBuffer buffer;
    ASSERT_TRUE(PreparePhotoBuffer(buffer, 9));  // 1600 x 1200
    const std::vector<std::uint8_t> frame = NoiseBytes(640 * 480 * 3, 6);
    ASSERT_TRUE(buffer.StoreFrame(frame.data(), 640, 480));
    std::vector<std::uint8_t> expected(1600 * 1200 * 3);
    ResampleBilinearTranscription<3>(frame.data(), 640, 480, 1600, 1200, expected.data());
    EXPECT_EQ(std::memcmp(buffer.Param().pixels, expected.data(), expected.size()), 0);
}

TEST(PhotoBuffer, NothingToStoreInto) {
    PhotoBuffer buffer;
    const std::vector<std::uint8_t> frame(12, 1);
    EXPECT_FALSE(buffer.StoreFrame(frame.data(), 2, 2));
    ASSERT_TRUE(buffer.Prepare(2, 2));
    EXPECT_FALSE(buffer.StoreFrame(nullptr, 2, 2));
    EXPECT_FALSE(buffer.StoreFrame(frame.data(), 0, 2));

    PhotoBuffer moved(std::move(buffer));
    EXPECT_TRUE(buffer.Empty());
    EXPECT_FALSE(moved.Empty());
    EXPECT_TRUE(moved.StoreFrame(frame.data(), 2, 2));
}

}  // namespace
