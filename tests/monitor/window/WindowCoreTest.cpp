// The main window's portable rules: the size table, the preview placement, the default compressor
// entries and the control layout against the skin's own table.
#include <gtest/gtest.h>

#include "monitor/window/ListChoice.h"
#include "monitor/window/MonitorLayout.h"
#include "monitor/window/PreviewPlacement.h"
#include "monitor/window/SizeModes.h"
#include "tools/artwork/SkinLayout.h"

namespace {

using monitor::ChooseListEntry;

TEST(SizeModesTest, TableOfTheSizeButtons) {
    struct Row {
        int id, dw, dh, cw, ch;
        bool zoom;
        int mode;
    };
    const Row rows[] = {{1000, 320, 240, 320, 240, false, 0}, {1001, 320, 240, 320, 240, false, 1},
                        {1002, 640, 480, 640, 480, false, 2}, {1003, 800, 600, 800, 600, false, 3},
                        {1004, 1280, 960, 640, 480, true, 5}, {1005, 1600, 1200, 800, 600, true, 4},
                        {1071, 1600, 1200, 800, 600, true, 4}};
    for (const Row& row : rows) {
        const monitor::SizeMode* mode = monitor::FindSizeMode(row.id);
        ASSERT_NE(mode, nullptr) << row.id;
        EXPECT_EQ(mode->displayWidth, row.dw);
        EXPECT_EQ(mode->displayHeight, row.dh);
        EXPECT_EQ(mode->captureWidth, row.cw);
        EXPECT_EQ(mode->captureHeight, row.ch);
        EXPECT_EQ(mode->zoom, row.zoom);
        EXPECT_EQ(mode->sizeMode, row.mode);
    }
    EXPECT_EQ(monitor::FindSizeMode(1006), nullptr);
    EXPECT_EQ(monitor::FindSizeModeByIndex(4)->buttonId, 1005);
    EXPECT_EQ(monitor::FindSizeModeByIndex(5)->buttonId, 1004);
    EXPECT_EQ(monitor::FindSizeModeByIndex(6), nullptr);
}

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
