#include "framework/String.h"

#include <gtest/gtest.h>

namespace {

TEST(CString, FormatSlicesSearchAndCase) {
    CString s;
    s.Format(_T("\\brenik-%05d.avi"), 42);
    EXPECT_EQ(s, CString(_T("\\brenik-00042.avi")));
    s.Format(_T("%05d"), -3);
    EXPECT_EQ(s, CString(_T("-0003")));
    s.Format(_T("%s=%d"), _T("seconds"), 3600);  // %s is a TCHAR string in both builds
    EXPECT_EQ(s, CString(_T("seconds=3600")));

    CString path(_T("C:\\Program\\Orvello.exe"));
    int slash = path.ReverseFind('\\');
    EXPECT_EQ(path.Left(slash), CString(_T("C:\\Program")));
    EXPECT_EQ(path.Mid(slash + 1), CString(_T("Orvello.exe")));
    EXPECT_EQ(path.Right(3), CString(_T("exe")));
    EXPECT_EQ(path.Mid(100), CString());
    EXPECT_EQ(path.Left(-1), CString());
    EXPECT_EQ(path.Find(_T("Orv")), 11);
    EXPECT_EQ(path.Find('z'), -1);

    CString name(_T("DivX Pro"));
    EXPECT_EQ(name.MakeUpper(), CString(_T("DIVX PRO")));
    EXPECT_EQ(CString(_T("D:\\Rec\\BRENIK-00042.avi")).CompareNoCase(_T("d:\\rec\\brenik-00042.AVI")), 0);
    CString spaced(_T("  x y \t"));
    EXPECT_EQ(spaced.Trim(), CString(_T("x y")));
    CString r(_T("a.b.c"));
    EXPECT_EQ(r.Replace(_T("."), _T("::")), 2);
    EXPECT_EQ(r, CString(_T("a::b::c")));
}

TEST(CString, ConvertsTheOtherWidthAndFillsBuffers) {
    CString fromNarrow("plain");
    CString fromWide(L"plain");
    EXPECT_EQ(fromNarrow, fromWide);
    CString appended = CString(_T("a")) + _T("b") + _T('c');
    EXPECT_EQ(appended, CString(_T("abc")));

    CString buffer;
    lstrcpy(buffer.GetBuffer(16), _T("filled"));
    buffer.ReleaseBuffer();
    EXPECT_EQ(buffer.GetLength(), 6);
    EXPECT_EQ(buffer, CString(_T("filled")));
    EXPECT_FALSE(buffer.LoadString(65000));  // no such string
}

}  // namespace
