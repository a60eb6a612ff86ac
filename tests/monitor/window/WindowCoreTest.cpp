// The main window's portable rules: the preview placement, the default compressor entries and the
// control layout against the skin's own table.
#include <gtest/gtest.h>

#include "monitor/window/ListChoice.h"
#include "monitor/window/MonitorLayout.h"
#include "monitor/window/PreviewPlacement.h"
#include "tools/artwork/SkinLayout.h"

namespace {

using monitor::ChooseListEntry;

TEST(PreviewPlacementTest, RightEdgeTouchesTheMainWindowCentredVertically) {
    const monitor::WindowBox main{1000, 300, 360, 355};
    const monitor::WindowBox box = monitor::PlacePreviewBeside(main, 8, 30, 320, 240);
    EXPECT_EQ(box.left + box.width, main.left);
    EXPECT_EQ(box.left, 1000 - 8 - 320);
    EXPECT_EQ(box.top, 300 + (355 - 240) / 2);
    EXPECT_EQ(box.width, 328);
    EXPECT_EQ(box.height, 270);
}

TEST(PreviewPlacementTest, ClampedAtTheScreensLeftAndTopEdges) {
    const monitor::WindowBox box = monitor::PlacePreviewBeside({100, 200, 360, 355}, 8, 30, 1280, 960);
    EXPECT_EQ(box.left, 0);  // overlaps the main window
    EXPECT_EQ(box.top, 0);   // 200 + (355 - 960) / 2 is above the screen
    EXPECT_EQ(box.width, 1288);
    EXPECT_EQ(box.height, 990);
}

TEST(ListChoiceTest, OnlyOneEntryIsTakenWithoutANameTest) {
    EXPECT_EQ(ChooseListEntry({"DivX 6.0"}, {"DIVX"}), 0);
    EXPECT_EQ(ChooseListEntry({}, {"DIVX"}), 0);
}

TEST(ListChoiceTest, TheLastEntryIsNeverExamined) {
    EXPECT_EQ(ChooseListEntry({"Full Frames (Uncompressed)", "DivX 6.0"}, {"DIVX", "INTEL INDEO(R)"}), 0);
    EXPECT_EQ(ChooseListEntry({"Cinepak", "MS-RLE", "divx pro"}, {"DIVX"}), 0);
}

TEST(ListChoiceTest, FirstMatchingEntryWinsWhateverItsCase) {
    EXPECT_EQ(ChooseListEntry({"Full Frames", "Intel Indeo(R) Video R3.2", "divx", "x"},
                              {"DIVX", "INTEL INDEO(R)"}),
              1);
    EXPECT_EQ(ChooseListEntry({"Full Frames", "Cinepak", "dIvX 5", "x"}, {"DIVX", "INTEL INDEO(R)"}), 2);
    EXPECT_EQ(ChooseListEntry({"Intel Indeo", "x"}, {"INTEL INDEO(R)"}), 0);  // prefix not complete
    EXPECT_EQ(ChooseListEntry({"IMA ADPCM", "pcm", "A-Law"}, {"PCM"}), 1);
}

TEST(MonitorLayoutTest, SkinnedControlsMatchTheSkinsOwnTable) {
    for (const artwork::ButtonPlace& skin : artwork::SkinButtons()) {
        const monitor::ControlPlace* place = monitor::FindControlPlace(skin.controlId);
        ASSERT_NE(place, nullptr) << skin.controlId;
        if (skin.x >= 0) {
            EXPECT_EQ(place->x, skin.x) << skin.controlId;
            EXPECT_EQ(place->y, skin.y) << skin.controlId;
        }
        EXPECT_EQ(place->width, skin.width) << skin.controlId;
        EXPECT_EQ(place->height, skin.height) << skin.controlId;
        EXPECT_EQ(place->normal, skin.normal) << skin.controlId;
        EXPECT_EQ(place->checked, skin.checked) << skin.controlId;
        EXPECT_EQ(place->disabled, skin.disabled) << skin.controlId;
        EXPECT_EQ(place->mask, skin.mask) << skin.controlId;
    }
}

TEST(MonitorLayoutTest, EveryControlLiesOnTheSkin) {
    for (const monitor::ControlPlace& place : monitor::MonitorControls()) {
        EXPECT_GE(place.x, 0);
        EXPECT_GE(place.y, 0);
        EXPECT_LE(place.x + place.width, monitor::kSkinWidth) << place.id;
        if (place.normal) {
            EXPECT_LE(place.y + place.height, monitor::kSkinHeight) << place.id;
        }
    }
    EXPECT_STREQ(monitor::FindControlPlace(1046)->tooltip, "Close");
    EXPECT_STREQ(monitor::FindControlPlace(1054)->tooltip, "Minimize");
}

}  // namespace
