// The motion pipeline's portable rules and the scan state machine (both builds).
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "monitor/tick/MotionRules.h"
#include "monitor/tick/ScanMachine.h"

namespace {

TEST(MotionModes, OnlyTheSumsOfChosenWeightsCarryActions) {
    for (int mode = 0; mode < 256; ++mode) {
        const bool scan = mode == 2 || mode == 5 || mode == 6 || mode == 9;
        const bool alarm = mode == 3 || mode == 5 || mode == 7 || mode == 9;
        const bool still = mode == 4 || mode == 6 || mode == 7 || mode == 9;
        EXPECT_EQ(motion::IsScanMode(mode), scan) << mode;
        EXPECT_EQ(motion::IsAlarmMode(mode), alarm) << mode;
        EXPECT_EQ(motion::IsStillMode(mode), still) << mode;
        EXPECT_EQ(motion::HasAction(mode), scan || alarm || still) << mode;
    }
}

// Boxes as the detector gives them: first-axis bounds, then second-axis bounds.
std::vector<int32_t> Boxes(std::initializer_list<std::array<int32_t, 4>> list) {
    std::vector<int32_t> out;
    for (const auto& b : list) out.insert(out.end(), b.begin(), b.end());
    return out;
}

TEST(MotionBoxes, AlarmAndStillThresholdsOnBothAxes) {
    // {first0, first1, second0, second1}
    auto alarm = [](std::array<int32_t, 4> b) { return motion::FirstAlarmBox(b.data(), 0) == 0; };
    auto still = [](std::array<int32_t, 4> b) { return motion::FirstStillBox(b.data(), 0) == 0; };
    EXPECT_FALSE(alarm({10, 21, 40, 55}));  // 11 and 15: not yet
    EXPECT_TRUE(alarm({10, 21, 40, 56}));   // second axis 16
    EXPECT_TRUE(alarm({10, 22, 40, 41}));   // first axis 12
    EXPECT_FALSE(still({10, 25, 40, 60}));  // 15 and 20: not yet
    EXPECT_TRUE(still({10, 25, 40, 61}));   // second axis 21
    EXPECT_TRUE(still({10, 26, 40, 41}));   // first axis 16
    EXPECT_FALSE(still({0, 8, 0, 16}));     // an alarm box is not a still box
}

TEST(MotionBoxes, TheFirstQualifyingBoxWinsAndOnlyListedBoxesCount) {
    const std::vector<int32_t> boxes = Boxes({{0, 4, 0, 4}, {0, 8, 0, 17}, {0, 30, 0, 30}});
    EXPECT_EQ(motion::FirstAlarmBox(boxes.data(), 2), 1);
    EXPECT_EQ(motion::FirstStillBox(boxes.data(), 2), 2);
    EXPECT_EQ(motion::FirstStillBox(boxes.data(), 1), -1);  // box 2 lies past the last box
    EXPECT_EQ(motion::FirstAlarmBox(boxes.data(), -1), -1);
    EXPECT_EQ(motion::FirstAlarmBox(nullptr, 5), -1);
}

TEST(MotionStillFile, FolderOfTheChosenPathWithTheTimeName) {
    const std::string program = "D:\\Apps\\Orvello";
    EXPECT_EQ(motion::MotionStillFile("C:\\watch\\pick.bmp", program, 14, 5, 9),
              "C:\\watch\\MOTION[14-05-09].bmp");
    EXPECT_EQ(motion::MotionStillFile("C:\\a\\b\\", program, 0, 0, 0), "C:\\a\\b\\MOTION[00-00-00].bmp");
    // No backslash (an empty path too) names no folder: the program folder, not the drive's root.
    EXPECT_EQ(motion::MotionStillFile("pick.bmp", program, 23, 59, 58),
              "D:\\Apps\\Orvello\\MOTION[23-59-58].bmp");
    EXPECT_EQ(motion::MotionStillFile("", program, 1, 2, 3), "D:\\Apps\\Orvello\\MOTION[01-02-03].bmp");
}

TEST(TargetIcon, KeyColourStaysTransparentAndTheIconLandsAt18) {
    constexpr int W = 64, H = 120;
    std::vector<uint8_t> frame(size_t(W) * H * 3, 7);
    std::vector<uint8_t> icon(motion::kTargetIconWidth * motion::kTargetIconHeight * 3, 0);
    auto set = [&](int i, int j, uint8_t b, uint8_t g, uint8_t r) {
        uint8_t* p = &icon[(size_t(j) * motion::kTargetIconWidth + i) * 3];
        p[0] = b, p[1] = g, p[2] = r;
    };
    for (int j = 0; j < motion::kTargetIconHeight; ++j)
        for (int i = 0; i < motion::kTargetIconWidth; ++i) set(i, j, 250, 4, 251);  // all key
    set(0, 0, 249, 4, 251);   // just not key: blue too low
    set(1, 0, 250, 5, 251);   // green too high
    set(2, 0, 250, 4, 250);   // red too low
    set(34, 35, 10, 20, 30);  // last pixel
    motion::StampTargetIcon(frame.data(), W, H, icon.data());
    auto at = [&](int x, int row) { return &frame[(size_t(row) * W + x) * 3]; };
    EXPECT_EQ(at(18, H - 102)[0], 249);
    EXPECT_EQ(at(19, H - 102)[1], 5);
    EXPECT_EQ(at(20, H - 102)[2], 250);
    EXPECT_EQ(at(21, H - 102)[0], 7);  // key: the picture shows through
    EXPECT_EQ(at(52, H - 102 + 35)[2], 30);
    EXPECT_EQ(at(17, H - 102)[0], 7);
    EXPECT_EQ(at(53, H - 102 + 35)[0], 7);
}

TEST(TargetIcon, AFrameTooSmallIsNotOverrun) {
    constexpr int W = 30, H = 80;  // icon rows 0 to 21 fall below the frame, columns past 29 beside it
    std::vector<uint8_t> frame(size_t(W) * H * 3 + 3, 7);
    std::vector<uint8_t> icon(motion::kTargetIconWidth * motion::kTargetIconHeight * 3, 1);
    motion::StampTargetIcon(frame.data(), W, H, icon.data());
    EXPECT_EQ(frame.back(), 7);
    EXPECT_EQ(frame[(size_t(0) * W + 18) * 3], 1);   // icon row 22 is frame row 0
    EXPECT_EQ(frame[(size_t(13) * W + 29) * 3], 1);  // the last row that fits, last column
}

std::vector<motion::ScanMove> Cycle(int width, int height) {
    motion::ScanState scan;
    motion::StartScan(scan, width);
    std::vector<motion::ScanMove> moves;
    for (int i = 0; i < 100000; ++i) {
        moves.push_back(motion::NextScanMove(scan, width, height));
        if (!moves.back().resize && scan.scale == 100 && !scan.zoomBack && !scan.returning) break;
    }
    return moves;
}

struct View {
    int scale;
    unsigned x, y;
    bool operator==(const View& o) const { return scale == o.scale && x == o.x && y == o.y; }
};

std::vector<View> ExpectedCycle(unsigned w, unsigned h, unsigned step) {
    std::vector<View> v;
    for (int s = 99; s >= 50; --s) v.push_back({s, 0, 0});
    for (unsigned x = step; x <= w / 2; x += step) v.push_back({50, x, 0});
    for (unsigned y = step; y <= h / 2; y += step) v.push_back({50, w / 2, y});
    for (unsigned x = w / 2; x > 0;) x -= step, v.push_back({50, x, h / 2});
    for (unsigned y = h / 2; y > 0;) y -= step, v.push_back({50, 0, y});
    for (int s = 51; s <= 100; ++s) v.push_back({s, 0, 0});
    return v;
}

TEST(ScanMachine, OneCycleAt640ZoomsPansTurnsAndZoomsBack) {
    const std::vector<motion::ScanMove> moves = Cycle(640, 480);
    std::vector<View> views;
    int phaseChanges = 0;
    for (const auto& m : moves) {
        if (m.resize)
            views.push_back({m.scale, m.x, m.y});
        else
            ++phaseChanges;
    }
    EXPECT_EQ(phaseChanges, 3);  // returning on, zoom-back on, zoom-back off
    EXPECT_EQ(views, ExpectedCycle(640, 480, 10));
}

TEST(ScanMachine, StartingAgainBeginsAtTheWholePictureWithTheStepOfTheWidth) {
    motion::ScanState scan;
    EXPECT_EQ(scan.step, 10);
    motion::StartScan(scan, 320);
    EXPECT_EQ(scan.step, 5);
    for (int i = 0; i < 70; ++i) motion::NextScanMove(scan, 320, 240);
    EXPECT_EQ(scan.scale, 50);
    EXPECT_EQ(scan.x, 100u);
    motion::StartScan(scan, 640);
    EXPECT_EQ(scan.step, 10);
    EXPECT_EQ(scan.scale, 100);
    EXPECT_EQ(scan.x, 0u);
    const motion::ScanMove first = motion::NextScanMove(scan, 640, 480);
    EXPECT_TRUE(first.resize);
    EXPECT_EQ(first.scale, 99);
}

TEST(ScanMachine, CyclesRepeatTheSameWay) {
    motion::ScanState scan;
    motion::StartScan(scan, 320);
    std::vector<View> first, second;
    for (int i = 0; i < 215; ++i) {
        const auto m = motion::NextScanMove(scan, 320, 240);
        if (m.resize) first.push_back({m.scale, m.x, m.y});
    }
    for (int i = 0; i < 215; ++i) {
        const auto m = motion::NextScanMove(scan, 320, 240);
        if (m.resize) second.push_back({m.scale, m.x, m.y});
    }
    EXPECT_EQ(first, ExpectedCycle(320, 240, 5));
    EXPECT_EQ(second, first);
}

}  // namespace
