#include <gtest/gtest.h>

#include "monitor/record/RecordNames.h"

using namespace record;

TEST(RecordNames, NumberedFileIsInTheFolderOfThePath) {
    EXPECT_EQ(NumberedAviFile(FolderOf("C:\\Cam\\brenik-00003.avi"), 7), "C:\\Cam\\brenik-00007.avi");
    EXPECT_EQ(NumberedAviFile("D:\\Rec", -3), "D:\\Rec\\brenik--0003.avi");
    EXPECT_EQ(NumberedAviFile("", 123456), "\\brenik-123456.avi");
    EXPECT_EQ(FolderOf("noslash.avi"), "");
}

TEST(RecordNames, NumberedTargetUsesUpTheNumber) {
    const AviTarget t = ChooseAviTarget(0, "C:\\Prog\\brenik-00009.avi", false);
    EXPECT_EQ(t.path, "C:\\Prog\\brenik-00000.avi");
    EXPECT_EQ(t.nextCounter, 1);
    EXPECT_TRUE(t.showPath);
}

TEST(RecordNames, TypedTargetIsExactlyThatNameAndKeepsTheNumber) {
    const AviTarget t = ChooseAviTarget(42, "D:\\Rec\\holiday.AVI", true);
    EXPECT_EQ(t.path, "D:\\Rec\\holiday.AVI");
    EXPECT_EQ(t.nextCounter, 42);
    EXPECT_FALSE(t.showPath);
}

TEST(RecordNames, FailureTextNamesTheSizeOnlyAt800) {
    EXPECT_NE(std::string(RecordFailedText(800)).find("size: 800x600."), std::string::npos);
    EXPECT_EQ(
        std::string(RecordFailedText(640)),
        "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be compatible "
        "with this content.\r\n");
}

TEST(RecordNames, BmpInAnyLetterCaseOtherwiseJpeg) {
    for (const char* name : {"a.bmp", "C:\\x\\a.BMP", "a.bMp", "C:\\dir.jpg\\pic.Bmp"})
        EXPECT_TRUE(IsBmpName(name)) << name;
    for (const char* name : {"a.jpg", "a", "C:\\dir.bmp\\pic", "a.bmpx", "a.bm", "bmp", "a.png"})
        EXPECT_FALSE(IsBmpName(name)) << name;
}
