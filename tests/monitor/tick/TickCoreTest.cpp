// The tick's portable pieces: timer-shot timing and countdown, clock text, icon stamp, reopen
// size, default timer-shot file and the clock seam.
#include <gtest/gtest.h>

#include <vector>

#include "monitor/tick/TickClock.h"
#include "monitor/tick/TickStamps.h"

namespace {

TEST(TickStampsTest, ElapsedSecondsSurviveTheTickCountWrapping) {
    EXPECT_FLOAT_EQ(tick::ElapsedSeconds(6000, 1000), 5.0f);
    EXPECT_FLOAT_EQ(tick::ElapsedSeconds(1500, 0xFFFFFE0Cu), 2.0f);  // 500 ms before the wrap
}

TEST(TickStampsTest, CountdownShowsWholeSecondsLeft) {
    EXPECT_EQ(tick::CountdownText(0.0f, 5), "00;05");
    EXPECT_EQ(tick::CountdownText(0.45f, 5), "00;05");
    EXPECT_EQ(tick::CountdownText(0.55f, 5), "00;04");  // "%0.0f" rounds
    EXPECT_EQ(tick::CountdownText(3.95f, 5), "00;01");
    EXPECT_EQ(tick::CountdownText(0.0f, 75), "01;15");
    EXPECT_EQ(tick::CountdownText(0.0f, 3600), "60;00");
}

TEST(TickStampsTest, CountdownHiddenForTheLastSecond) {
    EXPECT_TRUE(tick::CountdownVisible(0.0f, 5));
    EXPECT_TRUE(tick::CountdownVisible(3.95f, 5));
    EXPECT_FALSE(tick::CountdownVisible(4.0f, 5));
    EXPECT_FALSE(tick::CountdownVisible(0.0f, 1));  // a one-second shot shows no countdown
}

TEST(TickStampsTest, ClockTextUsesTheStampFontsSeparators) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 9;
    local.tm_min = 5;
    local.tm_sec = 3;
    EXPECT_EQ(tick::ClockText(local), "2026:12:07<09;05;03");
}

TEST(TickStampsTest, CameraIconGoesOpaqueAboveTheBottomRows) {
    const int w = 320, h = 240;
    std::vector<uint8_t> frame(size_t(w) * h * 3, 7);
    std::vector<uint8_t> icon(size_t(tick::kCamIconWidth) * tick::kCamIconHeight * 3);
    for (size_t i = 0; i < icon.size(); ++i) icon[i] = uint8_t(i % 251);
    tick::StampCameraIcon(frame.data(), w, h, icon.data());
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = &frame[(size_t(row) * w + x) * 3];
            const int j = row - (h - 62);
            const bool inside = j >= 0 && j < 26 && x >= 16 && x < 54;
            if (inside) {
                ASSERT_EQ(p[0], icon[(size_t(j) * 38 + (x - 16)) * 3]) << row << "," << x;
            } else {
                ASSERT_EQ(p[0], 7) << row << "," << x;
            }
        }
}

TEST(TickStampsTest, CameraIconIsClippedToSmallFrames) {
    std::vector<uint8_t> frame(size_t(60) * 40 * 3, 0);
    std::vector<uint8_t> icon(size_t(38) * 26 * 3, 255);
    tick::StampCameraIcon(frame.data(), 60, 40, icon.data());  // rows -22 to 3: only 0 to 3 exist
    size_t lit = 0;
    for (uint8_t b : frame) lit += b == 255;
    EXPECT_EQ(lit, size_t(4) * 38 * 3);
    tick::StampCameraIcon(frame.data(), 40, 40, icon.data());  // narrower than the icon: nothing
    size_t after = 0;
    for (uint8_t b : frame) after += b == 255;
    EXPECT_EQ(after, lit);
}

TEST(TickStampsTest, DoubledSizesReopenAtTheSizeTheyDouble) {
    int w = 0, h = 0;
    tick::ReopenSize(1280, 960, w, h);
    EXPECT_EQ(w * 10000 + h, 640 * 10000 + 480);
    tick::ReopenSize(1600, 1200, w, h);
    EXPECT_EQ(w * 10000 + h, 800 * 10000 + 600);
    tick::ReopenSize(640, 480, w, h);
    EXPECT_EQ(w * 10000 + h, 640 * 10000 + 480);
    tick::ReopenSize(320, 240, w, h);
    EXPECT_EQ(w * 10000 + h, 320 * 10000 + 240);
}

TEST(TickStampsTest, DefaultTimerShotFileLandsInTheProgramFolder) {
    EXPECT_EQ(tick::DefaultTimerShotFile("C:\\Program Files\\Orvello\\Orvello.exe"),
              "C:\\Program Files\\Orvello\\TimerCap.bmp");
    EXPECT_EQ(tick::DefaultTimerShotFile("Orvello.exe"), "Orvello.exe");
}

TEST(TickClockTest, TestsDriveTheClockAndThePauses) {
    uint32_t now = 1234;
    uint32_t paused = 0;
    int reads = 0;
    tick::SetClock(
        [&] {
            ++reads;
            return now;
        },
        [&](uint32_t ms) { paused += ms; });
    EXPECT_EQ(tick::Now(), 1234u);
    now = 5000;
    EXPECT_EQ(tick::Now(), 5000u);
    tick::Pause(250);
    tick::Pause(150);
    EXPECT_EQ(paused, 400u);
    // Back on the system clock: neither the test's clock nor its pauses are asked any more. No
    // timing is asserted: the system clock's step differs between systems.
    tick::SetClock(nullptr, nullptr);
    tick::Now();
    tick::Pause(1);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(paused, 400u);
}

}  // namespace
