// The Effects folder's name rule: from the first dot on, ".bmp" in any letter case.
#include "camera/pages/PhotoFrameName.h"

#include <gtest/gtest.h>

TEST(PhotoFrameName, OnlyNamesEndingInBmpAtTheirFirstDotAreFrames) {
    std::wstring name = L"unchanged";
    EXPECT_TRUE(PhotoFrameNameFromFile(L"Gold.bmp", name));
    EXPECT_EQ(name, L"Gold");
    EXPECT_TRUE(PhotoFrameNameFromFile(L"gold.BMP", name));
    EXPECT_EQ(name, L"gold");
    EXPECT_TRUE(PhotoFrameNameFromFile(L"Film.bMp", name));
    EXPECT_EQ(name, L"Film");
    name = L"unchanged";
    for (const wchar_t* other :
         {L"Wood.bmp.bak", L"a.b.bmp", L"Frame", L"x.bm", L"x.bmpx", L".bmp", L"x.jpg", L""})
        EXPECT_FALSE(PhotoFrameNameFromFile(other, name)) << std::wstring(other).size();
    EXPECT_EQ(name, L"unchanged");
}
