#include "monitor/libs/YsCapture/core/FramePacer.h"

#include <gtest/gtest.h>

using yscap::FramePacer;

TEST(FramePacer, KeepsRealTimeAcrossJitterDropsAndStalls) {
    const int64_t d = 333333;  // 30 fps
    FramePacer pacer(d, 10);
    EXPECT_EQ(pacer.Place(5000000), 1);
    EXPECT_EQ(pacer.Place(5000000 + d + 40000), 1);  // jitter stays on its slot
    EXPECT_EQ(pacer.Place(5000000 + d + 90000), 0);  // second frame in the same slot: dropped
    EXPECT_EQ(pacer.Place(5000000 + 4 * d), 3);      // two slots missed
    EXPECT_EQ(pacer.Slots(), 5);
    EXPECT_EQ(pacer.Place(5000000 + 100 * d), 1);  // long stall: re-anchored, no flood
    EXPECT_EQ(pacer.Place(5000000 + 101 * d), 1);
    EXPECT_EQ(pacer.Place(0), 1);  // clock went back: next slot
}
