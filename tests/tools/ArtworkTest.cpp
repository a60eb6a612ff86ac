// The generated pictures: sizes, the window's key colour, button masks and their pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tools/artwork/ArtworkSet.h"
#include "tools/artwork/Icons.h"
#include "tools/artwork/Skin.h"
#include "tools/artwork/SkinLayout.h"

namespace artwork {
namespace {

const ArtworkSet& Set() {
    static const ArtworkSet set = GenerateArtwork();
    return set;
}

const Image& Picture(int id) {
    const ArtworkItem* item = Set().Find(id);
    EXPECT_NE(item, nullptr) << "bitmap " << id;
    static const Image empty;
    return item ? item->image : empty;
}

bool MaskInside(const Image& mask, int x, int y) {
    return mask.At(x, y) != Hex(0xFFFFFF);
}

// The window's region treats colours within 0x10 of the key on every channel as outside.
bool NearKey(Rgb c) {
    return c.r <= 0x10 && c.g >= 0xEF && c.b <= 0x10;
}

TEST(SkinTest, KeyColourExactlyOutsideTheShapeAndNeverNearItInside) {
    const Image& skin = Picture(142);
    ASSERT_EQ(skin.Width(), 360);
    ASSERT_EQ(skin.Height(), 355);
    int inside = 0;
    for (int y = 0; y < skin.Height(); ++y)
        for (int x = 0; x < skin.Width(); ++x) {
            if (SkinInside(x, y)) {
                ++inside;
                ASSERT_FALSE(NearKey(skin.At(x, y))) << x << "," << y;
            } else {
                ASSERT_EQ(skin.At(x, y), Hex(0x00FF00)) << x << "," << y;
            }
        }
    // Rounded corners are cut away, the face is one piece that fills nearly the whole bitmap.
    EXPECT_FALSE(SkinInside(0, 0));
    EXPECT_FALSE(SkinInside(359, 354));
    EXPECT_TRUE(SkinInside(180, 0));
    EXPECT_TRUE(SkinInside(0, 177));
    EXPECT_GT(inside, 360 * 355 * 97 / 100);
}

TEST(SkinTest, EveryPlacedButtonLiesInsideTheShapeAndApartFromTheOthers) {
    std::vector<std::vector<int>> owner(kSkinHeight, std::vector<int>(kSkinWidth, 0));
    for (const ButtonPlace& place : SkinButtons()) {
        if (place.x < 0) continue;
        const Image& mask = Picture(place.mask);
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x) {
                if (!MaskInside(mask, x, y)) continue;
                const int sx = place.x + x, sy = place.y + y;
                ASSERT_TRUE(sx < kSkinWidth && sy < kSkinHeight && SkinInside(sx, sy)) << place.controlId;
                // Only the recording lamp lies over another button (the recorder).
                const int other = owner[sy][sx];
                if (other != 0) {
                    EXPECT_TRUE((other == 1056 && place.controlId == 1057))
                        << place.controlId << " over " << other;
                }
                owner[sy][sx] = place.controlId;
            }
    }
}

TEST(ButtonArtTest, MasksAreBlackAndWhiteSolidShapesOfTheButtonsSize) {
    std::set<int> masks;
    for (const ButtonPlace& place : SkinButtons()) masks.insert(place.mask);
    for (int id : masks) {
        const Image& mask = Picture(id);
        int insidePixels = 0;
        for (int y = 0; y < mask.Height(); ++y) {
            int runs = 0;
            bool in = false;
            for (int x = 0; x < mask.Width(); ++x) {
                const Rgb c = mask.At(x, y);
                ASSERT_TRUE(c == Hex(0xFFFFFF) || c == Hex(0x000000)) << "mask " << id;
                const bool now = MaskInside(mask, x, y);
                if (now && !in) ++runs;
                in = now;
                insidePixels += now;
            }
            EXPECT_LE(runs, 1) << "mask " << id << " row " << y;  // no holes, one region per row
        }
        EXPECT_GT(insidePixels, mask.Width() * mask.Height() / 3) << "mask " << id;
    }
    for (const ButtonPlace& place : SkinButtons()) {
        const Image& mask = Picture(place.mask);
        EXPECT_EQ(mask.Width(), place.width) << place.controlId;
        EXPECT_EQ(mask.Height(), place.height) << place.controlId;
    }
    EXPECT_EQ(Picture(204).Width(), 74);
    EXPECT_EQ(Picture(204).Height(), 21);
    // A rounded button: corners outside, the middle and the ends of the middle row inside.
    EXPECT_FALSE(MaskInside(Picture(204), 0, 0));
    EXPECT_FALSE(MaskInside(Picture(204), 73, 20));
    EXPECT_TRUE(MaskInside(Picture(204), 0, 10));
    EXPECT_TRUE(MaskInside(Picture(204), 73, 10));
}

TEST(ButtonArtTest, PicturesHaveTheirMasksSizeAndBlendIntoTheSkinAroundThem) {
    const Image& skin = Picture(142);
    for (const ButtonPlace& place : SkinButtons()) {
        const Image& mask = Picture(place.mask);
        for (int id : {place.normal, place.checked, place.disabled}) {
            if (id == 0) continue;
            const Image& pic = Picture(id);
            ASSERT_EQ(pic.Width(), mask.Width()) << id;
            ASSERT_EQ(pic.Height(), mask.Height()) << id;
            if (place.x < 0) continue;
            // Outside its mask a picture shows exactly the skin it covers, so it looks the same
            // whether it is drawn through the mask or copied whole.
            for (int y = 0; y < pic.Height(); ++y)
                for (int x = 0; x < pic.Width(); ++x)
                    if (!MaskInside(mask, x, y)) {
                        ASSERT_EQ(pic.At(x, y), skin.At(place.x + x, place.y + y)) << id;
                    }
        }
    }
}

int DifferingPixels(const Image& a, const Image& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.At(x, y) != b.At(x, y);
    return n;
}

TEST(ButtonArtTest, CheckedAndDisabledLooksDifferFromNormalAndFacesCarryALabel) {
    for (const ButtonPlace& place : SkinButtons()) {
        const Image& normal = Picture(place.normal);
        const Image& mask = Picture(place.mask);
        if (place.checked && place.checked != place.normal) {
            EXPECT_GT(DifferingPixels(normal, Picture(place.checked)), normal.Width() * normal.Height() / 3)
                << place.controlId;
        }
        if (place.disabled && place.disabled != place.normal) {
            EXPECT_GT(DifferingPixels(normal, Picture(place.disabled)), normal.Width() * normal.Height() / 3)
                << place.controlId;
        }
        // A label or symbol: bright pixels well above the face inside the middle rows.
        int bright = 0;
        for (int y = 3; y < normal.Height() - 3; ++y)
            for (int x = 2; x < normal.Width() - 2; ++x) {
                const Rgb c = normal.At(x, y);
                if (MaskInside(mask, x, y) && c.r + c.g + c.b > 3 * 150) ++bright;
            }
        EXPECT_GE(bright, place.width >= 74 ? 30 : 8) << place.controlId;
    }
}

TEST(TargetIconTest, TransparentBackgroundAndNoMagentaFringe) {
    const Image& icon = Picture(257);
    int skipped = 0, shown = 0;
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x) {
            const Rgb c = icon.At(x, y);
            if (TargetIconSkips(c)) {
                ++skipped;
                continue;
            }
            ++shown;
            // A half-blended magenta pixel would survive the stamp as a pink speck.
            EXPECT_FALSE(c.r > 150 && c.b > 150 && c.g < 100) << x << "," << y;
        }
    EXPECT_TRUE(TargetIconSkips(icon.At(0, 0)));
    EXPECT_TRUE(TargetIconSkips(icon.At(34, 35)));
    EXPECT_FALSE(TargetIconSkips(icon.At(17, 18)));  // the centre dot
    EXPECT_GT(skipped, shown);
    EXPECT_GT(shown, 150);
}

}  // namespace
}  // namespace artwork
