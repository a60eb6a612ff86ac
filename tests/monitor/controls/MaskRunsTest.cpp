#include "monitor/controls/MaskRuns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

// Rows of '#' (inside, black) and '.' (outside, white) as a top-down 32-bit mask.
std::vector<uint8_t> Mask(const std::vector<std::string>& rows) {
    std::vector<uint8_t> pixels;
    for (const std::string& row : rows) {
        for (char c : row) {
            const uint8_t v = c == '#' ? 0 : 255;
            pixels.insert(pixels.end(), {v, v, v, 0});
        }
    }
    return pixels;
}

// Paints the runs back into a picture of the same size; every pixel at most once.
std::vector<std::string> Paint(const std::vector<skin::MaskRun>& runs, int width, int height) {
    std::vector<std::string> rows(height, std::string(width, '.'));
    for (const skin::MaskRun& r : runs) {
        EXPECT_EQ(r.bottom, r.top + 1) << "a run is one row high";
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, width);
        EXPECT_LT(r.left, r.right);
        if (r.top < 0 || r.top >= height) {
            ADD_FAILURE() << "run outside the mask, row " << r.top;
            continue;
        }
        for (int x = r.left; x < r.right && x < width; ++x) {
            EXPECT_EQ(rows[r.top][x], '.') << "pixel covered twice at " << x << "," << r.top;
            rows[r.top][x] = '#';
        }
    }
    return rows;
}

TEST(MaskRuns, RunsTouchingTheRightEdgeEndThereAndStayOnTheirRow) {
    const std::vector<std::string> rows = {
        "....####",  // open at the end of the row
        "########",  // the whole row
        "##....##",  // two runs, the second at the edge
        ".......#",  // only the last column
        "#.......",  // the next row starts inside: nothing carried over from above
    };
    const auto pixels = Mask(rows);
    const auto runs = skin::CollectMaskRuns(pixels.data(), 8, 5, kWhite);
    EXPECT_EQ(Paint(runs, 8, 5), rows);
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[0].left, 4);
    EXPECT_EQ(runs[0].right, 8);
    EXPECT_EQ(runs[3].left, 6);
    EXPECT_EQ(runs[3].right, 8);
    EXPECT_EQ(runs[4].left, 7);
    EXPECT_EQ(runs[4].right, 8);
    EXPECT_EQ(runs[5].top, 4);
    EXPECT_EQ(runs[5].right, 1);
}

TEST(MaskRuns, AnythingButTheOutsideColourIsInside) {
    // Grey and near-white pixels (anti-aliased mask edges) belong to the button.
    std::vector<uint8_t> pixels = {255, 255, 255, 0, 254, 255, 255, 0, 128, 128, 128, 0,
                                   255, 255, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0};
    const auto runs = skin::CollectMaskRuns(pixels.data(), 3, 2, kWhite);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].left, 1);
    EXPECT_EQ(runs[0].right, 3);
    EXPECT_EQ(runs[0].top, 0);
}

TEST(MaskRuns, EmptyAndDegenerateMasksGiveNoRuns) {
    const auto blank = Mask({"....", "...."});
    EXPECT_TRUE(skin::CollectMaskRuns(blank.data(), 4, 2, kWhite).empty());
    EXPECT_TRUE(skin::CollectMaskRuns(nullptr, 4, 2, kWhite).empty());
    EXPECT_TRUE(skin::CollectMaskRuns(blank.data(), 0, 2, kWhite).empty());
    // A one-pixel-wide mask that is inside.
    const auto column = Mask({"#", "#", "."});
    const auto runs = skin::CollectMaskRuns(column.data(), 1, 3, kWhite);
    EXPECT_EQ(Paint(runs, 1, 3), (std::vector<std::string>{"#", "#", "."}));
}

}  // namespace
