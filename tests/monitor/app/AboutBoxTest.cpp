// The About box's credit line and the click sequence that shows the hidden picture.
#include "monitor/app/AboutBox.h"

#include <gtest/gtest.h>

namespace {

TEST(AboutBoxTest, CreditLineIsRebuiltByRotatingEachByteLeftByTwoBits) {
    const std::string credit = about::UnscrambleCredit(about::kScrambledCredit, about::kCreditLength);
    EXPECT_EQ(credit, "Orvello by Halmere 2026");
    EXPECT_EQ(credit.size(), 23u);
    const uint8_t rotated[] = {0x40, 0x01, 0xC0};  // 0x01, 0x04, 0x03 rotated right by two
    EXPECT_EQ(about::UnscrambleCredit(rotated, 3), std::string("\x01\x04\x03"));
}

TEST(AboutBoxTest, OtherCountsShowNothing) {
    for (int lefts : {0, 3, 5, 7}) {
        about::ClickSequence clicks;
        for (int i = 0; i < lefts; ++i) clicks.LeftRelease();
        EXPECT_FALSE(clicks.RightPress()) << lefts;
        EXPECT_FALSE(clicks.RightRelease()) << lefts;
        EXPECT_EQ(clicks.Count(), 10);
    }
}

TEST(AboutBoxTest, ReleaseAboveFiveJumpsToTen) {
    about::ClickSequence clicks;
    for (int i = 0; i < 6; ++i) clicks.LeftRelease();
    EXPECT_EQ(clicks.Count(), 6);
    clicks.LeftRelease();
    EXPECT_EQ(clicks.Count(), 10);
    clicks.LeftRelease();
    EXPECT_EQ(clicks.Count(), 10);
}

TEST(AboutBoxTest, RightReleaseWithoutThePictureClosesTheSequence) {
    about::ClickSequence clicks;
    for (int i = 0; i < 4; ++i) clicks.LeftRelease();
    EXPECT_FALSE(clicks.RightRelease());
    EXPECT_FALSE(clicks.RightPress());
}

}  // namespace
