// DIB rows and the libjpeg writer, checked by decoding the files back with libjpeg.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "monitor/imaging/DibRows.h"
#include "monitor/imaging/JpegDibWriter.h"
#include "tests/monitor/imaging/TestPictures.h"

using testpic::Picture;
using testpic::Rgb;

namespace {

// Smooth colours: JPEG keeps them within a few levels, while a row shifted by even one pixel (a
// shear from a wrong row length) or a mirrored picture shows large differences.
Rgb Smooth(int x, int y, int w, int h) {
    return {static_cast<uint8_t>(x * 255 / (w - 1)), static_cast<uint8_t>(y * 255 / (h - 1)),
            static_cast<uint8_t>(128 + (x - y) / 8)};
}

// Grey palette pictures in 8 x 8 blocks, which JPEG reproduces closely.
std::vector<Rgb> GreyTable(int entries) {
    std::vector<Rgb> t;
    for (int i = 0; i < entries; ++i) {
        const auto v = static_cast<uint8_t>(entries == 1 ? 0 : i * 255 / (entries - 1));
        t.push_back({v, v, v});
    }
    return t;
}

std::vector<uint8_t*> RowPointers(std::vector<uint8_t>& buffer, int width, int height) {
    buffer.assign(static_cast<size_t>(width) * height * 3, 0xEE);
    std::vector<uint8_t*> rows;
    for (int y = 0; y < height; ++y) rows.push_back(buffer.data() + static_cast<size_t>(y) * width * 3);
    return rows;
}

Picture RowsToPicture(const std::vector<uint8_t>& buffer, int width, int height) {
    Picture p{width, height, {}};
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        p.pixels.push_back({buffer[3 * i], buffer[3 * i + 1], buffer[3 * i + 2]});
    return p;
}

std::string TempPath(const std::string& name) {
    return testing::TempDir() + name;
}

std::vector<std::string> g_reported;
void Collect(const char* message) {
    g_reported.push_back(message);
}

class JpegWriterTest : public testing::Test {
  protected:
    void SetUp() override {
        g_reported.clear();
        previous_ = jpegdib::SetMessageReporter(Collect);
    }
    void TearDown() override { jpegdib::SetMessageReporter(previous_); }
    jpegdib::MessageReporter previous_ = nullptr;
};

}  // namespace

TEST(Expand555, WidensEachChannelByTheFixedTable) {
    EXPECT_EQ(jpegdib::Expand555(0x7FFF), 0x00FFFFFFu);
    EXPECT_EQ(jpegdib::Expand555(0x0421), 0x00101010u);
    EXPECT_EQ(jpegdib::Expand555(0), 0u);
    EXPECT_EQ(jpegdib::Expand555(0x8000), 0u);  // bit 15 ignored
    EXPECT_EQ(jpegdib::Expand555(30 << 10), 0x00F80000u);
    EXPECT_EQ(jpegdib::Expand555(2 << 5), 0x00001800u);
    EXPECT_EQ(jpegdib::Expand555(31), 0x000000FFu);
}

TEST(DibRows, EveryDepthGivesTopDownRgbRowsOfTheWholeWidth) {
    // Widths that leave padding in every depth, 1-bit not a multiple of 8.
    const int w = 13;
    const int h = 6;
    const auto colourful = [](int x, int y) { return Rgb{uint8_t(x * 19), uint8_t(y * 40), uint8_t(x * y)}; };
    const Picture deep = testpic::MakePicture(w, h, colourful);
    for (int bits : {24, 32}) {
        const auto dib = testpic::MakeDib(bits, deep);
        std::vector<uint8_t> buffer;
        auto rows = RowPointers(buffer, w, h);
        std::string error = "x";
        ASSERT_TRUE(jpegdib::DibToRgbRows(dib.data(), w * 3, rows.data(), &error)) << bits;
        EXPECT_EQ(error, "x");  // success leaves the text alone; WriteJpeg clears it first
        EXPECT_EQ(RowsToPicture(buffer, w, h).pixels, deep.pixels) << bits;
    }
    const Picture fives = testpic::MakePicture(w, h, [&](int x, int y) {
        const auto widen = [](uint8_t v) {
            return static_cast<uint8_t>(v == 0 ? 0 : v == 31 ? 255 : 8 * v + 8);
        };
        const Rgb c = colourful(x, y);
        return Rgb{widen(c.r >> 3), widen(c.g >> 3), widen(c.b >> 3)};
    });
    {
        const auto dib = testpic::MakeDib(16, deep);
        std::vector<uint8_t> buffer;
        auto rows = RowPointers(buffer, w, h);
        ASSERT_TRUE(jpegdib::DibToRgbRows(dib.data(), w * 3, rows.data(), nullptr));
        EXPECT_EQ(RowsToPicture(buffer, w, h).pixels, fives.pixels);
    }
    for (int bits : {1, 4, 8}) {
        std::vector<Rgb> table;
        for (int i = 0; i < (1 << bits); ++i)
            table.push_back({uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3 + 1)});
        const auto index = [bits](int x, int y) { return (x * 5 + y * 3 + 1) % (1 << bits); };
        const Picture expected = testpic::MakePicture(w, h, [&](int x, int y) { return table[index(x, y)]; });
        const auto dib = testpic::MakeDib(bits, expected, table, index);
        std::vector<uint8_t> buffer;
        auto rows = RowPointers(buffer, w, h);
        ASSERT_TRUE(jpegdib::DibToRgbRows(dib.data(), w * 3, rows.data(), nullptr)) << bits;
        EXPECT_EQ(RowsToPicture(buffer, w, h).pixels, expected.pixels) << bits;
    }
}

TEST(DibRows, TwentyFourBitRowsAreExactAtEveryWidth) {
    // The 24-bit rows go eight bytes at a time with a byte-wise start and tail.
    for (int w : {1, 2, 3, 8, 9, 10, 11, 12, 641}) {
        const Picture p = testpic::MakePicture(w, 3, [](int x, int y) {
            return Rgb{uint8_t(x * 3 + y), uint8_t(x * 7 + 1), uint8_t(200 - x - y * 50)};
        });
        const auto dib = testpic::MakeDib(24, p);
        std::vector<uint8_t> buffer;
        auto rows = RowPointers(buffer, w, 3);
        ASSERT_TRUE(jpegdib::DibToRgbRows(dib.data(), w * 3, rows.data(), nullptr));
        EXPECT_EQ(RowsToPicture(buffer, w, 3).pixels, p.pixels) << w;
    }
}

TEST(DibRows, RefusesWhatItCannotConvert) {
    const auto dib = testpic::MakeDib(24, testpic::MakePicture(4, 2, [](int, int) { return Rgb{1, 2, 3}; }));
    std::vector<uint8_t> buffer;
    auto rows = RowPointers(buffer, 4, 2);
    std::string error;
    EXPECT_FALSE(jpegdib::DibToRgbRows(nullptr, 12, rows.data(), &error));
    EXPECT_EQ(error, "Invalid input data");
    error.clear();
    EXPECT_FALSE(jpegdib::DibToRgbRows(dib.data(), 0, rows.data(), &error));
    EXPECT_EQ(error, "Invalid input data");
    error.clear();
    EXPECT_FALSE(jpegdib::DibToRgbRows(dib.data(), 11, rows.data(), &error));  // shorter than a row
    EXPECT_EQ(error, "Invalid input data");
    for (int bits : {0, 2, 15, 48}) {
        auto odd = dib;
        odd[14] = static_cast<uint8_t>(bits);
        error.clear();
        EXPECT_FALSE(jpegdib::DibToRgbRows(odd.data(), 12, rows.data(), &error));
        EXPECT_EQ(error, "Invalid bitmap bit count") << bits;
    }
}

TEST_F(JpegWriterTest, EveryDepthRoundTripsThroughLibjpegWithoutShearOrFlip) {
    struct Case {
        int bits, width, height;
    };
    // 641 wide at 24 bits and odd widths at 16 bits: rows whose length is not a multiple of 4.
    for (const Case c : {Case{24, 641, 40}, Case{32, 99, 50}, Case{16, 77, 33}, Case{16, 80, 20}}) {
        const Picture source = testpic::MakePicture(
            c.width, c.height, [&](int x, int y) { return Smooth(x, y, c.width, c.height); });
        const auto dib = testpic::MakeDib(c.bits, source);
        const std::string path = TempPath("jpegdib_" + std::to_string(c.bits) + ".jpg");
        std::string error = "stale";
        ASSERT_TRUE(jpegdib::WriteJpeg(dib.data(), 100, path.c_str(), &error)) << error;
        EXPECT_EQ(error, "");
        const Picture back = testpic::DecodeJpeg(path);
        ASSERT_EQ(back.width, c.width);
        ASSERT_EQ(back.height, c.height);
        // At 16 bits the expected colours are the 5-bit values widened by the table.
        const Picture expected =
            c.bits != 16 ? source : testpic::MakePicture(c.width, c.height, [&](int x, int y) {
                const uint32_t v = jpegdib::Expand555(static_cast<uint16_t>(((source.At(x, y).r >> 3) << 10) |
                                                                            ((source.At(x, y).g >> 3) << 5) |
                                                                            (source.At(x, y).b >> 3)));
                return Rgb{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
            });
        const auto d = testpic::Compare(back, expected);
        EXPECT_LE(d.max, 10) << c.bits << " bits, " << c.width << " wide";
        EXPECT_LE(d.mean, 1.5) << c.bits << " bits, " << c.width << " wide";
        std::remove(path.c_str());
    }
    for (int bits : {1, 4, 8}) {
        const int w = 21;  // not a multiple of 8: the last byte of a 1-bit row holds 5 pixels
        const int h = 24;
        const auto table = GreyTable(1 << bits);
        const auto index = [bits](int x, int y) { return ((x / 8) * 5 + (y / 8) * 3 + 1) % (1 << bits); };
        const Picture source = testpic::MakePicture(w, h, [&](int x, int y) { return table[index(x, y)]; });
        const auto dib = testpic::MakeDib(bits, source, table, index);
        const std::string path = TempPath("jpegdib_pal" + std::to_string(bits) + ".jpg");
        std::string error;
        ASSERT_TRUE(jpegdib::WriteJpeg(dib.data(), 100, path.c_str(), &error)) << error;
        const Picture back = testpic::DecodeJpeg(path);
        ASSERT_EQ(back.width, w);
        const auto d = testpic::Compare(back, source);
        EXPECT_LE(d.max, 8) << bits;
        EXPECT_LE(d.mean, 1.0) << bits;
        std::remove(path.c_str());
    }
    EXPECT_TRUE(g_reported.empty());
}

TEST_F(JpegWriterTest, TheTopJpegRowIsTheLastDibRow) {
    // Top half of the picture white, bottom half black: stored bottom-up, the white rows come last.
    const Picture source = testpic::MakePicture(16, 16, [](int, int y) {
        const uint8_t v = y < 8 ? 255 : 0;
        return Rgb{v, v, v};
    });
    const auto dib = testpic::MakeDib(24, source);
    EXPECT_EQ(dib[40], 0);              // first stored row: the black bottom
    EXPECT_EQ(dib[40 + 15 * 48], 255);  // last stored row: the white top
    const std::string path = TempPath("jpegdib_top.jpg");
    std::string error;
    ASSERT_TRUE(jpegdib::WriteJpeg(dib.data(), 90, path.c_str(), &error));
    const Picture back = testpic::DecodeJpeg(path);
    ASSERT_EQ(back.height, 16);
    EXPECT_GE(back.At(3, 0).g, 240);
    EXPECT_LE(back.At(3, 15).g, 15);
    std::remove(path.c_str());
}

TEST_F(JpegWriterTest, BadArgumentsFailWithTheirTextsAndCreateNoFile) {
    const auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, [](int, int) { return Rgb{9, 9, 9}; }));
    const std::string path = TempPath("jpegdib_bad.jpg");
    std::remove(path.c_str());
    for (int quality : {101, -1}) {
        std::string error;
        EXPECT_FALSE(jpegdib::WriteJpeg(dib.data(), quality, path.c_str(), &error));
        EXPECT_EQ(error, "Invalid input data") << quality;
        EXPECT_FALSE(testpic::FileExists(path)) << quality;
    }
    std::string error;
    EXPECT_FALSE(jpegdib::WriteJpeg(nullptr, 50, path.c_str(), &error));
    EXPECT_EQ(error, "Invalid input data");
    error.clear();
    EXPECT_FALSE(jpegdib::WriteJpeg(dib.data(), 50, "", &error));
    EXPECT_EQ(error, "Invalid input data");
    EXPECT_FALSE(jpegdib::WriteJpeg(dib.data(), 50, path.c_str(), nullptr));  // no text: silent failure
    EXPECT_FALSE(testpic::FileExists(path));

    const std::string missing = TempPath("no_such_folder_jpegdib/still.jpg");
    EXPECT_FALSE(jpegdib::WriteJpeg(dib.data(), 50, missing.c_str(), &error));
    EXPECT_EQ(error, "Cannot open " + missing);
    EXPECT_TRUE(g_reported.empty());
}

TEST_F(JpegWriterTest, RowConversionFailureAbandonsTheFileWithItsText) {
    auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, [](int, int) { return Rgb{9, 9, 9}; }));
    dib[14] = 12;
    const std::string path = TempPath("jpegdib_rows.jpg");
    std::string error;
    EXPECT_FALSE(jpegdib::WriteJpeg(dib.data(), 75, path.c_str(), &error));
    EXPECT_EQ(error, "Invalid bitmap bit count");
    EXPECT_FALSE(testpic::FileExists(path));
}

TEST_F(JpegWriterTest, AFatalLibraryErrorIsReportedAndUnwindsCleanly) {
    // libjpeg refuses an empty picture inside jpeg_start_compress. The sanitizer build also checks
    // that the unwind leaks nothing.
    auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, [](int, int) { return Rgb{9, 9, 9}; }));
    testpic::Put32(dib, 4, 0);
    const std::string path = TempPath("jpegdib_fatal.jpg");
    std::string error;
    EXPECT_FALSE(jpegdib::WriteJpeg(dib.data(), 75, path.c_str(), &error));
    ASSERT_EQ(g_reported.size(), 1u);
    EXPECT_FALSE(g_reported[0].empty());
    EXPECT_EQ(error, g_reported[0]);
    EXPECT_FALSE(testpic::FileExists(path));
    // The writer stays usable afterwards.
    testpic::Put32(dib, 4, 8);
    EXPECT_TRUE(jpegdib::WriteJpeg(dib.data(), 75, path.c_str(), &error));
    EXPECT_EQ(error, "");
    std::remove(path.c_str());
}
