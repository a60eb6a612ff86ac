// The AVI counter file: missing, empty, not a number, negative, out of range, unwritable.
#include "monitor/app/CounterFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class CounterFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "brenik_counter_test.inf";
        std::remove(path_.c_str());
    }
    void TearDown() override { std::remove(path_.c_str()); }

    void Write(const std::string& text) {
        std::ofstream out(path_, std::ios::binary);
        out << text;
    }
    std::string Contents() const {
        std::ifstream in(path_, std::ios::binary);
        if (!in) return "<missing>";
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::string path_;
};

TEST_F(CounterFileTest, MissingOrEmptyFileStartsAtZeroAndIsMadeAgain) {
    for (const char* content : {static_cast<const char*>(nullptr), "", "  \n\t"}) {
        std::remove(path_.c_str());
        if (content) Write(content);
        int value = 17;
        ReadCounter(value, path_.c_str());
        EXPECT_EQ(value, 0) << (content ? content : "missing");
        EXPECT_EQ(Contents(), "0");
    }
}

TEST_F(CounterFileTest, NumberIsTakenAndTheFileLeftAlone) {
    Write("  42\r\n");
    int value = 7;
    ReadCounter(value, path_.c_str());
    EXPECT_EQ(value, 42);
    EXPECT_EQ(Contents(), "  42\r\n");
}

TEST_F(CounterFileTest, NegativeNumberIsKept) {
    Write("-3");
    int value = 0;
    ReadCounter(value, path_.c_str());
    EXPECT_EQ(value, -3);
    char name[32];
    std::snprintf(name, sizeof name, "\\brenik-%05d.avi", value);
    EXPECT_STREQ(name, "\\brenik--0003.avi");
}

TEST_F(CounterFileTest, TextThatIsNotANumberChangesNothing) {
    for (const char* content : {"abc", "-x", "+", "x12"}) {
        Write(content);
        int value = 9;
        ReadCounter(value, path_.c_str());
        EXPECT_EQ(value, 9) << content;
        EXPECT_EQ(Contents(), content);
    }
}

TEST_F(CounterFileTest, NumberOutsideTheIntRangeCountsAsNoNumber) {
    Write("99999999999");
    int value = 5;
    ReadCounter(value, path_.c_str());
    EXPECT_EQ(value, 5);
    EXPECT_EQ(Contents(), "99999999999");
    Write("-2147483648");
    ReadCounter(value, path_.c_str());
    EXPECT_EQ(value, -2147483647 - 1);
}

TEST_F(CounterFileTest, WriteReplacesTheContentWithoutALineEnd) {
    Write("12345678");
    WriteCounter(8, path_.c_str());
    EXPECT_EQ(Contents(), "8");
}

TEST_F(CounterFileTest, UnwritableFileIsSkippedSilently) {
    const std::string missingFolder = ::testing::TempDir() + "no_such_folder_for_counter/brenik.inf";
    WriteCounter(3, missingFolder.c_str());
    int value = 11;
    ReadCounter(value, missingFolder.c_str());  // cannot open, cannot recreate: numbering from 0
    EXPECT_EQ(value, 0);
}

}  // namespace
