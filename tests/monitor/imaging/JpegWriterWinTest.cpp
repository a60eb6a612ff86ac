// CJpegWriter under Wine: DIBs read through GDI at every depth, and whole BMP-to-JPEG conversions.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "tests/support/ModalScript.h"
#include "monitor/imaging/JpegWriter.h"
#include "monitor/libs/YsProcess/BmpFile.h"
#include "tests/monitor/imaging/TestPictures.h"

using testpic::Picture;
using testpic::Rgb;

namespace {

std::string TempFile(const std::string& name) {
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// A DIB section of the given depth holding the packed DIB's colour table and rows.
ScopedBitmap SectionFromDib(const std::vector<uint8_t>& dib) {
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    const size_t colours = header->biBitCount <= 8 ? (size_t{1} << header->biBitCount) : 0;
    void* bits = nullptr;
    ScopedBitmap section(::CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(dib.data()),
                                            DIB_RGB_COLORS, &bits, nullptr, 0));
    if (section && bits) std::memcpy(bits, dib.data() + 40 + 4 * colours, dib.size() - 40 - 4 * colours);
    return section;
}

Rgb Smooth(int x, int y) {
    return {uint8_t(x * 4), uint8_t(y * 5), uint8_t(100 + (x - y) / 2)};
}

}  // namespace

TEST(CJpegWriter, DdbToDibReadsEveryDepthThroughGdiAndTheJpegMatches) {
    const int w = 61;  // odd: every depth has row padding; 1-bit rows end inside a byte
    const int h = 40;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        std::vector<uint8_t> source;
        Picture expected;
        if (bits <= 8) {
            std::vector<Rgb> table;
            for (int i = 0; i < (1 << bits); ++i) {
                const auto v = static_cast<uint8_t>(i * 255 / ((1 << bits) - 1));
                table.push_back({v, v, v});
            }
            const auto index = [bits](int x, int y) { return ((x / 8) * 3 + (y / 8) * 5 + 1) % (1 << bits); };
            expected = testpic::MakePicture(w, h, [&](int x, int y) { return table[index(x, y)]; });
            source = testpic::MakeDib(bits, expected, table, index);
        } else {
            expected = testpic::MakePicture(w, h, Smooth);
            source = testpic::MakeDib(bits, expected);
            if (bits == 16) {
                expected = testpic::MakePicture(w, h, [](int x, int y) {
                    const Rgb c = Smooth(x, y);
                    const DWORD v = CJpegWriter().Expand555(
                        static_cast<WORD>(((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3)));
                    return Rgb{uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
                });
            }
        }
        ScopedBitmap section = SectionFromDib(source);
        ASSERT_TRUE(section) << bits;
        CJpegWriter writer;
        HANDLE dib = writer.DdbToDib(section.Get(), BI_RGB, nullptr);
        ASSERT_NE(dib, nullptr) << bits;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(dib);
        EXPECT_EQ(header->biSize, 40u);
        EXPECT_EQ(header->biWidth, w);
        EXPECT_EQ(header->biHeight, h);
        EXPECT_EQ(header->biPlanes, 1);
        EXPECT_EQ(header->biBitCount, bits);
        EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_GE(::GlobalSize(dib), source.size());
        // Table and rows as the section holds them.
        EXPECT_EQ(std::memcmp(dib, source.data() + 0, 12), 0) << bits;
        EXPECT_EQ(std::memcmp(static_cast<const BYTE*>(dib) + 40, source.data() + 40, source.size() - 40), 0)
            << bits;

        const std::string path = TempFile("cjpeg_depth" + std::to_string(bits) + ".jpg");
        CString error = "stale";
        EXPECT_TRUE(writer.WriteJpeg(dib, 100, path.c_str(), &error)) << error.GetString();
        EXPECT_TRUE(error.IsEmpty());
        ::GlobalFree(dib);
        const Picture back = testpic::DecodeJpeg(path);
        ASSERT_EQ(back.width, w) << bits;
        const auto d = testpic::Compare(back, expected);
        EXPECT_LE(d.max, 10) << bits;
        EXPECT_LE(d.mean, 1.5) << bits;
        ::DeleteFileA(path.c_str());
    }
}

TEST(CJpegWriter, DdbToDibRefusesBitfieldsAndNonBitmaps) {
    CJpegWriter writer;
    const auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, Smooth));
    ScopedBitmap section = SectionFromDib(dib);
    EXPECT_EQ(writer.DdbToDib(section.Get(), BI_BITFIELDS, nullptr), nullptr);
    EXPECT_EQ(writer.DdbToDib(nullptr, BI_RGB, nullptr), nullptr);
}

TEST(CJpegWriter, ConvertsABmpFileThroughAScreenBitmapWithoutShift) {
    // The BMP loads as a screen-compatible bitmap, so the DIB has the display's depth.
    const int w = 641;
    const int h = 48;
    std::vector<uint8_t> frame(static_cast<size_t>(w) * h * 3);
    Picture expected = testpic::MakePicture(w, h, [](int x, int y) {
        // A smooth picture with a white bar at columns 300..339: a horizontal shift moves the bar.
        if (x >= 300 && x < 340) return Rgb{255, 255, 255};
        return Rgb{uint8_t(x / 4), uint8_t(y * 4), 60};
    });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = expected.At(x, y);
            uint8_t* p = &frame[(static_cast<size_t>(h - 1 - y) * w + x) * 3];
            p[0] = c.b, p[1] = c.g, p[2] = c.r;
        }
    const std::string bmp = TempFile("cjpeg_source.bmp");
    const std::string jpeg = TempFile("cjpeg_target.jpg");
    ASSERT_TRUE(ysp::WriteBmp24File(bmp.c_str(), frame.data(), w, h));
    CJpegWriter writer;
    EXPECT_TRUE(writer.ConvertBmpFileToJpeg(bmp.c_str(), jpeg.c_str()));
    const Picture back = testpic::DecodeJpeg(jpeg);
    ASSERT_EQ(back.width, w);
    ASSERT_EQ(back.height, h);
    for (int y = 0; y < h; y += 5) {
        EXPECT_GE(back.At(305, y).r, 235);
        EXPECT_GE(back.At(334, y).b, 235);
        EXPECT_LE(back.At(295, y).b, 90);
        EXPECT_LE(back.At(345, y).b, 90);
    }
    EXPECT_LE(testpic::Compare(back, expected).mean, 3.0);
    ::DeleteFileA(bmp.c_str());
    ::DeleteFileA(jpeg.c_str());
}

TEST(CJpegWriter, AMissingSourceLeavesTheTargetAlone) {
    const std::string jpeg = TempFile("cjpeg_untouched.jpg");
    std::FILE* f = std::fopen(jpeg.c_str(), "wb");
    std::fputs("old", f);
    std::fclose(f);
    CJpegWriter writer;
    EXPECT_FALSE(writer.ConvertBmpFileToJpeg(TempFile("no_such_source.bmp").c_str(), jpeg.c_str()));
    f = std::fopen(jpeg.c_str(), "rb");
    char text[8] = {};
    ASSERT_NE(f, nullptr);
    std::fgets(text, sizeof text, f);
    std::fclose(f);
    EXPECT_STREQ(text, "old");
    ::DeleteFileA(jpeg.c_str());
}

TEST(CJpegWriter, TextsForBadArgumentsAndAMissingFolder) {
    CJpegWriter writer;
    const auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, Smooth));
    const std::string path = TempFile("cjpeg_bad.jpg");
    CString error;
    for (int quality : {101, -1}) {
        EXPECT_FALSE(writer.WriteJpeg(const_cast<uint8_t*>(dib.data()), quality, path.c_str(), &error));
        EXPECT_EQ(error, "Invalid input data");
        EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    const std::string missing = TempFile("no_such_folder_cjpeg\\still.jpg");
    EXPECT_FALSE(writer.WriteJpeg(const_cast<uint8_t*>(dib.data()), 100, missing.c_str(), &error));
    EXPECT_EQ(error, CString(("Cannot open " + missing).c_str()));
    EXPECT_FALSE(writer.WriteJpeg(const_cast<uint8_t*>(dib.data()), 100, path.c_str(), nullptr));
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(writer.Expand555(0x7FFF), 0x00FFFFFFu);
    EXPECT_EQ(writer.Expand555(0x0421), 0x00101010u);
    EXPECT_EQ(writer.Expand555(0), 0u);
}

TEST(CJpegWriter, FatalLibraryErrorsShowAJpegErrorBoxAndTheProgramGoesOn) {
    fw::ModalScript script;
    auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, Smooth));
    testpic::Put32(dib, 8, 0);  // no rows: libjpeg stops in jpeg_start_compress
    const std::string path = TempFile("cjpeg_fatal.jpg");
    CString error;
    CJpegWriter writer;
    EXPECT_FALSE(writer.WriteJpeg(dib.data(), 100, path.c_str(), &error));
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].caption, "JPEG Error");
    EXPECT_EQ(script.messageBoxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(script.messageBoxes[0].text, error);
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);  // the partial file is gone
    // The file is closed: the same name can be written and deleted at once.
    testpic::Put32(dib, 8, 8);
    EXPECT_TRUE(writer.WriteJpeg(dib.data(), 100, path.c_str(), &error));
    EXPECT_TRUE(::DeleteFileA(path.c_str()));
}

namespace {

// Notes the caption and text of the message box that opens and presses its OK button.
std::string g_caption;
std::string g_boxText;
HHOOK g_hook = nullptr;
LRESULT CALLBACK AnswerBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND box = reinterpret_cast<HWND>(wParam);
        char text[256] = {};
        ::GetClassNameA(box, text, sizeof text);
        if (std::string(text) != "#32770") return ::CallNextHookEx(g_hook, code, wParam, lParam);
        ::GetWindowTextA(box, text, sizeof text);
        g_caption = text;
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the message box's static text
        g_boxText = text;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return ::CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

TEST(CJpegWriter, WithoutATestHookTheBoxIsARealMessageBox) {
    g_hook = ::SetWindowsHookExA(WH_CBT, AnswerBox, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(g_hook, nullptr);
    auto dib = testpic::MakeDib(24, testpic::MakePicture(8, 8, Smooth));
    testpic::Put32(dib, 8, 0);
    CString error;
    EXPECT_FALSE(CJpegWriter().WriteJpeg(dib.data(), 100, TempFile("cjpeg_box.jpg").c_str(), &error));
    ::UnhookWindowsHookEx(g_hook);
    EXPECT_EQ(g_caption, "JPEG Error");
    EXPECT_EQ(CString(g_boxText.c_str()), error);
}
