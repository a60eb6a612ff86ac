// The files the artwork generator writes: bitmaps, the icon, the cursor and the resource script.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "monitor/resources/artwork/ArtworkIds.h"
#include "tools/artwork/ArtworkSet.h"
#include "tools/artwork/BmpFile.h"
#include "tools/artwork/ResourceScript.h"
#include "tools/artwork/SkinLayout.h"

namespace artwork {
namespace {

const ArtworkSet& Set() {
    static const ArtworkSet set = GenerateArtwork();
    return set;
}

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | (b.at(at + 1) << 8);
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}

TEST(BmpFileTest, RoundTripKeepsPixelsForWidthsThatNeedPadding) {
    for (int width : {1, 2, 3, 35, 38, 74}) {
        Image image(width, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                image.Set(x, y, Rgb{uint8_t(x * 7), uint8_t(y * 80), uint8_t(x + y)});
        const std::vector<uint8_t> bytes = EncodeBmp(image);
        EXPECT_EQ((bytes.size() - 54) % 4, 0u) << width;  // rows are padded to 4 bytes
        Image back;
        ASSERT_TRUE(DecodeBmp(bytes, back)) << width;
        ASSERT_EQ(back.Width(), width);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) EXPECT_EQ(back.At(x, y), image.At(x, y));
        // Bottom-up: the file's first row is the picture's last.
        EXPECT_EQ(bytes[54 + 2], image.At(0, 2).r);
        std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
        EXPECT_FALSE(DecodeBmp(cut, back));
    }
}

TEST(AboutPictureTest, BytesAreBottomUpBgrRows) {
    const Image& pic = Set().aboutPicture;
    const std::vector<uint8_t> rows = BottomUpBgr(pic);
    ASSERT_EQ(rows.size(), 160u * 120u * 3u);
    EXPECT_EQ(rows[0], pic.At(0, 119).b);
    EXPECT_EQ(rows[2], pic.At(0, 119).r);
    EXPECT_EQ(rows[rows.size() - 3], pic.At(159, 0).b);
    const std::string source = AboutPictureSource(pic);
    size_t commas = 0;
    for (char c : source) commas += c == ',';
    EXPECT_EQ(commas, rows.size());
}

TEST(IconFileTest, ProgramIconHoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    const std::vector<uint8_t>& ico = Set().Find(ORV_ICON_PROGRAM)->bytes;
    ASSERT_EQ(Le16(ico, 2), 1u);  // icon
    ASSERT_EQ(Le16(ico, 4), 3u);
    const int sizes[] = {16, 32, 48};
    for (int i = 0; i < 3; ++i) {
        const size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico[entry], sizes[i]);
        EXPECT_EQ(ico[entry + 1], sizes[i]);
        const uint32_t length = Le32(ico, entry + 8), offset = Le32(ico, entry + 12);
        ASSERT_LE(size_t(offset) + length, ico.size());
        EXPECT_EQ(Le32(ico, offset + 4), uint32_t(sizes[i]));
        EXPECT_EQ(Le32(ico, offset + 8), uint32_t(sizes[i] * 2));  // colour and mask halves
        EXPECT_EQ(Le16(ico, offset + 14), 32u);
        // Colour rows, then the AND mask with rows padded to 32 bits.
        EXPECT_EQ(length, 40u + sizes[i] * sizes[i] * 4 + sizes[i] * ((sizes[i] + 31) / 32 * 4));
        // Corners transparent (alpha 0, mask bit set), centre opaque.
        EXPECT_EQ(ico[offset + 40 + 3], 0);
        const size_t centre = offset + 40 + ((sizes[i] / 2) * sizes[i] + sizes[i] / 2) * 4;
        EXPECT_EQ(ico[centre + 3], 255);
        EXPECT_TRUE(ico[offset + 40 + sizes[i] * sizes[i] * 4] & 0x80);
    }
}

TEST(IconFileTest, ButtonCursorHasItsHotSpotOnTheFingertip) {
    const std::vector<uint8_t>& cur = Set().Find(ORV_CURSOR_BUTTON)->bytes;
    ASSERT_EQ(Le16(cur, 2), 2u);  // cursor
    ASSERT_EQ(Le16(cur, 4), 1u);
    EXPECT_EQ(cur[6], 32);
    const uint32_t hx = Le16(cur, 10), hy = Le16(cur, 12), offset = Le32(cur, 18);
    ASSERT_LT(hx, 32u);
    ASSERT_LT(hy, 32u);
    // The pixel under the hot spot (rows are bottom-up) is drawn and nothing of the hand lies above it.
    auto alpha = [&](uint32_t x, uint32_t y) { return cur.at(offset + 40 + ((31 - y) * 32 + x) * 4 + 3); };
    EXPECT_GT(alpha(hx, hy), 128);
    for (uint32_t y = 0; y < hy; ++y)
        for (uint32_t x = 0; x < 32; ++x) EXPECT_LT(alpha(x, y), 128) << x << "," << y;
}

TEST(ResourceScriptTest, EveryIdOfTheHeaderAndTheLayoutHasOneStatementWithItsKind) {
    const std::string rc = ResourceScript(Set(), "/out");
    std::map<int, std::string> statements;
    std::istringstream lines(rc);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("//", 0) == 0) continue;
        std::istringstream words(line);
        int id = 0;
        std::string kind, file;
        words >> id >> kind >> file;
        EXPECT_EQ(statements.count(id), 0u) << "id " << id << " twice";
        statements[id] = kind;
        EXPECT_EQ(file.rfind("\"/out/", 0), 0u) << line;
    }
    const int bitmaps[] = {ORV_BMP_SPLASH,
                           ORV_BMP_SKIN,
                           ORV_BMP_CAMERA_ICON,
                           ORV_BMP_TARGET_ICON,
                           ORV_BMP_AUDIO_SET_DOWN,
                           ORV_BMP_MASK_BUTTON,
                           ORV_BMP_REC_AUDIO_ON,
                           ORV_BMP_REC_AUDIO_OFF,
                           ORV_BMP_VIDEO_SET_DOWN,
                           ORV_BMP_SETTINGS,
                           ORV_BMP_SIZE0_ON,
                           ORV_BMP_SIZE0,
                           ORV_BMP_SIZE1_ON,
                           ORV_BMP_SIZE1,
                           ORV_BMP_SIZE2_ON,
                           ORV_BMP_SIZE2,
                           ORV_BMP_SIZE3_ON,
                           ORV_BMP_SIZE3,
                           ORV_BMP_SIZE4_ON,
                           ORV_BMP_SIZE4,
                           ORV_BMP_SIZE5_ON,
                           ORV_BMP_SIZE5,
                           ORV_BMP_CLOCK_DOWN,
                           ORV_BMP_CLOCK,
                           ORV_BMP_TIMER_DOWN,
                           ORV_BMP_TIMER,
                           ORV_BMP_SNAPSHOT_DOWN,
                           ORV_BMP_SNAPSHOT,
                           ORV_BMP_TIMER_SET_DOWN,
                           ORV_BMP_TIMER_SET,
                           ORV_BMP_RECORDER_ON,
                           ORV_BMP_RECORDER,
                           ORV_BMP_ABOUT_DOWN,
                           ORV_BMP_ABOUT,
                           ORV_BMP_MASK_CLOSE,
                           ORV_BMP_CLOSE,
                           ORV_BMP_MASK_MINIMIZE,
                           ORV_BMP_MINIMIZE,
                           ORV_BMP_MASK_AUDIO_STRIP,
                           ORV_BMP_AUDIO_STRIP,
                           ORV_BMP_LAMP_OFF,
                           ORV_BMP_MASK_LAMP,
                           ORV_BMP_LAMP_ON,
                           ORV_BMP_REC_AUDIO_DISABLED,
                           ORV_BMP_MONITOR_ON,
                           ORV_BMP_MONITOR,
                           ORV_BMP_SIZE6,
                           ORV_BMP_SIZE6_ON};
    for (int id : bitmaps) EXPECT_EQ(statements[id], "BITMAP") << id;
    EXPECT_EQ(statements[ORV_ICON_PROGRAM], "ICON");
    EXPECT_EQ(statements[ORV_CURSOR_BUTTON], "CURSOR");
    EXPECT_EQ(statements.size(), std::size(bitmaps) + 2);
    for (const ButtonPlace& place : SkinButtons())
        for (int id : {place.normal, place.checked, place.disabled, place.mask}) {
            if (id) {
                EXPECT_EQ(statements[id], "BITMAP") << "control " << place.controlId << " bitmap " << id;
            }
        }
}

// The build's generator is a separate, optimised compile of the same code: equal bytes show that the
// pictures do not depend on the compiler's settings and that every file was written whole.
TEST(GeneratedFilesTest, BuiltFilesHoldTheSameBytesAsTheCode) {
    const std::string folder = ORVELLO_ARTWORK_DIR;
    std::vector<uint8_t> rcBytes;
    ASSERT_TRUE(ReadFileBytes(folder + "/artwork.rc", rcBytes)) << "build the orvello_artwork target first";
    EXPECT_EQ(std::string(rcBytes.begin(), rcBytes.end()), ResourceScript(Set(), folder));
    for (const ArtworkItem& item : Set().items) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(ReadFileBytes(folder + "/" + item.fileName, bytes)) << item.fileName;
        EXPECT_EQ(bytes, item.bytes) << item.fileName;
    }
}

}  // namespace
}  // namespace artwork
