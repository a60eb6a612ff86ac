// The vector path of the background differencing against the plain one: mask, background and the
// row's sum, on widths that leave partial groups of 16 and on backgrounds at both ends of the range.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "monitor/libs/YsDetector/MotionKernels.h"

namespace {

struct Row {
    std::vector<uint8_t> bgr, mask;
    std::vector<uint16_t> background;
    int64_t sum = 0;
};

Row Differenced(const Row& input, int width, int offset, int threshold, SimdLevel level) {
    Row row = input;
    row.sum = ysd::DifferenceRow(row.bgr.data(), row.background.data(), row.mask.data(), width, offset,
                                 threshold, level);
    return row;
}

TEST(DifferenceRowSimd, MatchesThePlainPathByteForByte) {
    std::mt19937 rng(3);
    for (int width : {1, 2, 15, 16, 17, 31, 33, 100, 640, 641})
        for (int offset : {0, 7, -12, 255, -255, 5000})
            for (int threshold : {0, 30, 255}) {
                Row input;
                input.bgr.resize(static_cast<size_t>(width) * 3);
                input.background.resize(static_cast<size_t>(width) + 8, 0x5A5A);
                input.mask.assign(static_cast<size_t>(width) + 16, 0x77);
                for (auto& b : input.bgr) b = static_cast<uint8_t>(rng());
                for (int x = 0; x < width; ++x)  // the extremes first, then anything
                    input.background[static_cast<size_t>(x)] = x == 0   ? 0
                                                               : x == 1 ? 0xFFFF
                                                               : x == 2 ? 31
                                                                        : static_cast<uint16_t>(rng());
                const Row plain = Differenced(input, width, offset, threshold, SimdLevel::Plain);
                if (DetectedSimdLevel() < SimdLevel::Ssse3) continue;
                const Row fast = Differenced(input, width, offset, threshold, SimdLevel::Ssse3);
                ASSERT_EQ(fast.mask, plain.mask) << width << " " << offset << " " << threshold;
                ASSERT_EQ(fast.background, plain.background) << width << " " << offset << " " << threshold;
                ASSERT_EQ(fast.sum, plain.sum) << width << " " << offset << " " << threshold;
            }
}

}  // namespace
