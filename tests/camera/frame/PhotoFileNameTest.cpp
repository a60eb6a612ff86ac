#include "camera/photo/PhotoFileName.h"

#include <gtest/gtest.h>

TEST(PhotoFileName, DateAndTimeWithTheMillisecondWithoutLeadingZeros) {
    EXPECT_EQ(PhotoFileName({2010, 3, 30, 6, 46, 23, 7}), L"2010_03_30_06_46_23_7.jpg");
    EXPECT_EQ(PhotoFileName({2026, 12, 7, 23, 5, 9, 999}), L"2026_12_07_23_05_09_999.jpg");
    EXPECT_EQ(PhotoFileName({2026, 1, 1, 0, 0, 0, 0}), L"2026_01_01_00_00_00_0.jpg");
    // Two photos within one millisecond share the name.
    EXPECT_EQ(PhotoFileName({2026, 1, 1, 0, 0, 0, 40}), PhotoFileName({2026, 1, 1, 0, 0, 0, 40}));
}
