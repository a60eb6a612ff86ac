#include "camera/frame/FrameBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/camera/photo/ResampleBilinearTranscription.h"
#include "tests/camera/photo/TestImages.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A bitmap file as a paint program writes it: file header, info header of infoSize bytes (with the
// B G R A masks when it is long enough), pixels right behind.
struct BitmapFile {
    std::int32_t width = 4;
    std::int32_t height = 3;
    std::uint16_t bitCount = 32;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t alphaMask = 0xFF000000u;
    Bytes pixels = NoiseBytes(4 * 3 * 4, 3);

    Bytes Build() const {
        const std::uint32_t offset = 14 + infoSize;
        Bytes b(offset, 0);
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 2, offset + static_cast<std::uint32_t>(pixels.size()));
        Put32(b, 10, offset);
        Put32(b, 14, infoSize);
        Put32(b, 18, static_cast<std::uint32_t>(width));
        Put32(b, 22, static_cast<std::uint32_t>(height));
        Put16(b, 26, 1);
        Put16(b, 28, bitCount);
        Put32(b, 30, compression);
        Put32(b, 34, static_cast<std::uint32_t>(pixels.size()));
        if (infoSize >= 56) {
            Put32(b, 54, 0x00FF0000u);
            Put32(b, 58, 0x0000FF00u);
            Put32(b, 62, 0x000000FFu);
            Put32(b, 66, alphaMask);
        }
        b.insert(b.end(), pixels.begin(), pixels.end());
        return b;
    }
};

FrameBitmapStatus Parse(const Bytes& file, FrameBitmap& image) {
    return ParseFrameBitmap(file.data(), file.size(), image);
}

TEST(FrameBitmap, ReadsAPlainThirtyTwoBitFile) {
    const BitmapFile file;
    FrameBitmap image;
    ASSERT_EQ(Parse(file.Build(), image), FrameBitmapStatus::Ok);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 3);
    EXPECT_EQ(image.pixels, file.pixels);  // rows as stored in the file
}

TEST(FrameBitmap, LongHeadersAndBitFieldsUseThePixelOffset) {
    BitmapFile file;
    file.infoSize = 124;
    file.compression = 3;
    FrameBitmap image;
    ASSERT_EQ(Parse(file.Build(), image), FrameBitmapStatus::Ok);
    EXPECT_EQ(image.pixels, file.pixels);

    // Bit fields that declare no alpha: the fourth bytes carry nothing and are cleared.
    file.alphaMask = 0;
    ASSERT_EQ(Parse(file.Build(), image), FrameBitmapStatus::Ok);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        EXPECT_EQ(image.pixels[i], i % 4 == 3 ? 0 : file.pixels[i]);

    Bytes swapped = file.Build();
    Put32(swapped, 54, 0x000000FFu);  // red in the low byte: not our layout
    EXPECT_EQ(Parse(swapped, image), FrameBitmapStatus::UnsupportedLayout);
}

// A negative height stores the top row first: the rows come out bottom-up like every other frame.
TEST(FrameBitmap, TopDownFileIsReadWithItsRowsTurnedRound) {
    BitmapFile file;
    file.height = -3;
    FrameBitmap image;
    ASSERT_EQ(Parse(file.Build(), image), FrameBitmapStatus::Ok);
    EXPECT_EQ(image.width, 4);
    EXPECT_EQ(image.height, 3);
    const std::size_t row = 4 * 4;
    Bytes expected;
    for (std::size_t r = 3; r-- > 0;)
        expected.insert(expected.end(), file.pixels.begin() + r * row, file.pixels.begin() + (r + 1) * row);
    EXPECT_EQ(image.pixels, expected);

    file.height = -1;  // a single row stays as it is
    file.pixels.resize(row);
    ASSERT_EQ(Parse(file.Build(), image), FrameBitmapStatus::Ok);
    EXPECT_EQ(image.pixels, file.pixels);
}

TEST(FrameBitmap, ExtraBytesAndAWrongFileSizeFieldDoNotMatter) {
    const BitmapFile file;
    Bytes bytes = file.Build();
    Put32(bytes, 2, 12);  // file size field far too small
    bytes.resize(bytes.size() + 10, 0xEE);
    FrameBitmap image;
    ASSERT_EQ(Parse(bytes, image), FrameBitmapStatus::Ok);
    EXPECT_EQ(image.pixels, file.pixels);
}

// Each refused file leaves the previous image as it was.
TEST(FrameBitmap, RefusesCraftedFiles) {
    FrameBitmap previous;
    ASSERT_EQ(Parse(BitmapFile{}.Build(), previous), FrameBitmapStatus::Ok);
    const Bytes kept = previous.pixels;

    auto expectRefused = [&](const Bytes& bytes, FrameBitmapStatus expected, const char* what) {
        EXPECT_EQ(Parse(bytes, previous), expected) << what;
        EXPECT_EQ(previous.width, 4) << what;
        EXPECT_EQ(previous.pixels, kept) << what;
    };

    Bytes shortData = BitmapFile{}.Build();
    shortData.pop_back();
    expectRefused(shortData, FrameBitmapStatus::PixelDataShort, "one byte short");

    BitmapFile negative;
    negative.height = INT32_MIN;
    expectRefused(negative.Build(), FrameBitmapStatus::BadSize, "most negative height");

    BitmapFile huge;
    huge.width = 0x7FFFFFFF;
    expectRefused(huge.Build(), FrameBitmapStatus::BadSize, "huge width");
    huge.width = 8192;
    huge.height = 8192;  // each side allowed, the total is not
    expectRefused(huge.Build(), FrameBitmapStatus::BadSize, "huge area");
    huge.width = 4000;
    huge.height = 4000;  // plausible size, but the file holds 48 bytes of pixels
    expectRefused(huge.Build(), FrameBitmapStatus::PixelDataShort, "large header, small file");

    BitmapFile zero;
    zero.width = 0;
    expectRefused(zero.Build(), FrameBitmapStatus::BadSize, "zero width");

    BitmapFile depth;
    depth.bitCount = 24;
    expectRefused(depth.Build(), FrameBitmapStatus::NotThirtyTwoBits, "24 bits");
    depth.bitCount = 8;
    expectRefused(depth.Build(), FrameBitmapStatus::NotThirtyTwoBits, "8 bits");

    BitmapFile compressed;
    compressed.compression = 1;
    expectRefused(compressed.Build(), FrameBitmapStatus::UnsupportedLayout, "RLE");

    Bytes header = BitmapFile{}.Build();
    header.resize(53);
    expectRefused(header, FrameBitmapStatus::TooShort, "headers cut");
    expectRefused(Bytes{}, FrameBitmapStatus::TooShort, "empty file");

    Bytes notBm = BitmapFile{}.Build();
    notBm[0] = 'P';
    expectRefused(notBm, FrameBitmapStatus::NotABitmap, "no signature");

    Bytes farOffset = BitmapFile{}.Build();
    Put32(farOffset, 10, 0xFFFFFFF0u);
    expectRefused(farOffset, FrameBitmapStatus::UnsupportedHeader, "pixel offset beyond the file");
    Put32(farOffset, 10, 20);
    expectRefused(farOffset, FrameBitmapStatus::UnsupportedHeader, "pixel offset inside the header");

    Bytes infoSize = BitmapFile{}.Build();
    Put32(infoSize, 14, 0xFFFFFFFFu);
    expectRefused(infoSize, FrameBitmapStatus::UnsupportedHeader, "absurd info header size");

    EXPECT_EQ(ParseFrameBitmap(nullptr, 100, previous), FrameBitmapStatus::TooShort);
    EXPECT_STRNE(FrameBitmapStatusText(FrameBitmapStatus::PixelDataShort), "unknown");
}

TEST(FrameBitmap, ScalesToTheVideoSize) {
    BitmapFile file;
    FrameBitmap frame, scaled;
    ASSERT_EQ(Parse(file.Build(), frame), FrameBitmapStatus::Ok);

    ASSERT_TRUE(ScaleFrameBitmap(frame, 4, 3, scaled));
    EXPECT_EQ(scaled.pixels, frame.pixels);

    ASSERT_TRUE(ScaleFrameBitmap(frame, 10, 7, scaled));
    EXPECT_EQ(scaled.width, 10);
    EXPECT_EQ(scaled.height, 7);
    Bytes expected(10 * 7 * 4);
    ResampleBilinearTranscription<4>(frame.pixels.data(), 4, 3, 10, 7, expected.data());
    EXPECT_EQ(scaled.pixels, expected);

    EXPECT_FALSE(ScaleFrameBitmap(FrameBitmap{}, 10, 7, scaled));
    EXPECT_FALSE(ScaleFrameBitmap(frame, 0, 7, scaled));
    EXPECT_EQ(scaled.width, 10);
}

}  // namespace
