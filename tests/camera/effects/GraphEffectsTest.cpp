// What the frame's picture operations send to the filters: flips, mosaic, zoom, the frame bitmap
// (crafted files included), the text mask and its font, and the camera's anti-flicker control.
#include "camera/pages/GraphEffects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "camera/pages/FrameTypeMenu.h"
#include "camera/pages/TextMask.h"
#include "framework/Handles.h"
#include "media/DShow.h"
#include "tests/camera/effects/FakeFilters.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Call = FakeReversal::Call;

void Put32(Bytes& b, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 32-bit bitmap file; `declaredWidth/Height` go into the header, `pixelBytes` follow it.
Bytes BitmapFile(std::int32_t width, std::int32_t height, size_t pixelBytes, std::uint8_t seed = 1) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<std::uint32_t>(54 + pixelBytes));
    Put32(b, 10, 54);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<std::uint32_t>(width));
    Put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 32;
    for (size_t i = 0; i < pixelBytes; ++i) b.push_back(static_cast<std::uint8_t>(seed + i * 7));
    return b;
}

class GraphEffectsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder =
            std::filesystem::temp_directory_path() / (L"effects-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::wstring Write(const std::wstring& name, const Bytes& bytes) {
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return (folder / name).wstring();
    }
    static CharFormatRecord Format(const wchar_t* face, DWORD effects, LONG twips) {
        CharFormatRecord format;
        std::memset(&format, 0, sizeof format);
        format.cbSize = sizeof format;
        format.dwEffects = effects;
        format.yHeight = twips;
        format.crTextColor = RGB(10, 20, 30);
        format.bCharSet = DEFAULT_CHARSET;
        if (face) wcscpy(format.szFaceName, face);
        return format;
    }
    std::filesystem::path folder;
    FakeReversal reversal;
    FakeOverlay overlay;
};

TEST_F(GraphEffectsTest, ReversalGetsSizeFlipsAndMosaicInOrderAndZoomAsAFactor) {
    EXPECT_EQ(SendReversal(&reversal, 640, 480, 1, 0, 12), EffectResult::Sent);
    EXPECT_EQ(SendZoom(&reversal, 3), EffectResult::Sent);
    EXPECT_EQ(SendZoom(&reversal, 0), EffectResult::Sent);
    const std::vector<Call> expected = {{'S', 640, 480}, {'V', 1, 0}, {'H', 0, 0},
                                        {'M', 12, 0},    {'Z', 4, 0}, {'Z', 1, 0}};
    EXPECT_EQ(reversal.calls, expected);
    EXPECT_EQ(reversal.references, 1);  // every interface released again
}

TEST_F(GraphEffectsTest, MissingFiltersOrInterfacesAreReportedAsSuch) {
    reversal.offers = false;
    overlay.offers = false;
    EXPECT_EQ(SendReversal(nullptr, 640, 480, 0, 0, 0), EffectResult::NoInterface);
    EXPECT_EQ(SendReversal(&reversal, 640, 480, 0, 0, 0), EffectResult::NoInterface);
    EXPECT_EQ(SendZoom(&reversal, 1), EffectResult::NoInterface);
    EXPECT_EQ(SendFrameBitmap(&overlay, L"", 640, 480), EffectResult::NoInterface);
    EXPECT_EQ(SendTextOverlay(&overlay, L"x", Format(L"Arial", 0, 240)), EffectResult::NoInterface);
    EXPECT_EQ(SendPowerLineFrequency(nullptr, 1), EffectResult::NotSent);  // silent
    EXPECT_EQ(SendPowerLineFrequency(&reversal, 1), EffectResult::NotSent);
    EXPECT_TRUE(reversal.calls.empty());
}

TEST_F(GraphEffectsTest, FrameOfTheVideoSizeGoesUnscaledAndOthersAreScaled) {
    const Bytes exact = BitmapFile(8, 6, 8 * 6 * 4);
    EXPECT_EQ(SendFrameBitmap(&overlay, Write(L"Exact.bmp", exact), 8, 6), EffectResult::Sent);
    EXPECT_EQ(overlay.frameWidth, 8);
    EXPECT_EQ(overlay.frameHeight, 6);
    EXPECT_EQ(overlay.frame, Bytes(exact.begin() + 54, exact.end()));  // rows as in the file

    EXPECT_EQ(SendFrameBitmap(&overlay, Write(L"Small.bmp", BitmapFile(4, 3, 4 * 3 * 4)), 16, 12),
              EffectResult::Sent);
    EXPECT_EQ(overlay.frameWidth, 16);
    EXPECT_EQ(overlay.frameHeight, 12);
    EXPECT_EQ(overlay.frame.size(), 16u * 12u * 4u);

    EXPECT_EQ(SendFrameBitmap(&overlay, L"", 16, 12), EffectResult::Sent);  // "No Frame"
    EXPECT_EQ(overlay.frameCalls, 3);
    EXPECT_EQ(overlay.frameWidth, 0);
    EXPECT_TRUE(overlay.frame.empty());
}

TEST_F(GraphEffectsTest, MissingOrCraftedFrameFilesAreRefusedAndThePreviousFrameStays) {
    ASSERT_EQ(SendFrameBitmap(&overlay, Write(L"Good.bmp", BitmapFile(4, 4, 64)), 4, 4), EffectResult::Sent);
    Bytes wideHeader = BitmapFile(4, 4, 64);
    Put32(wideHeader, 18, 0x7FFFFFFF);  // huge width, few bytes
    Bytes lying = BitmapFile(100, 100, 64);
    Put32(lying, 2, 54 + 100 * 100 * 4);  // bfSize claims every pixel is there
    Bytes truncatedHeader = BitmapFile(4, 4, 0);
    truncatedHeader.resize(30);
    const std::vector<std::pair<const wchar_t*, Bytes>> crafted = {
        {L"Short.bmp", BitmapFile(64, 64, 64 * 63 * 4)},  // one row missing
        {L"NegativeWidth.bmp", BitmapFile(-4, 4, 64)},
        {L"Huge.bmp", wideHeader},
        {L"Lying.bmp", lying},
        {L"Header.bmp", truncatedHeader},
        {L"Empty.bmp", Bytes()},
        {L"Text.bmp", Bytes{'h', 'e', 'l', 'l', 'o'}},
    };
    for (const auto& [name, bytes] : crafted)
        EXPECT_EQ(SendFrameBitmap(&overlay, Write(name, bytes), 4, 4), EffectResult::NotSent) << bytes.size();
    EXPECT_EQ(SendFrameBitmap(&overlay, (folder / L"Missing.bmp").wstring(), 4, 4), EffectResult::NotSent);
    EXPECT_EQ(overlay.frameCalls, 1);  // the good frame stays in the filter
}

TEST_F(GraphEffectsTest, FontFollowsTheCharacterFormat) {
    const LOGFONTW bold = LogFontFromCharFormat(Format(L"Arial", CFE_BOLD, 240));
    EXPECT_EQ(bold.lfHeight, -16);
    EXPECT_EQ(bold.lfWeight, 700);
    EXPECT_EQ(bold.lfItalic, 0);
    EXPECT_STREQ(bold.lfFaceName, L"Arial");
    CharFormatRecord other = Format(L"Courier New", CFE_ITALIC | CFE_UNDERLINE | CFE_STRIKEOUT, 250);
    other.bCharSet = GB2312_CHARSET;
    other.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
    const LOGFONTW rest = LogFontFromCharFormat(other);
    EXPECT_EQ(rest.lfHeight, -16);  // 250 / -15 truncates toward zero
    EXPECT_EQ(rest.lfWeight, 400);
    EXPECT_EQ(rest.lfItalic, 1);
    EXPECT_EQ(rest.lfUnderline, 1);
    EXPECT_EQ(rest.lfStrikeOut, 1);
    EXPECT_EQ(rest.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(rest.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
    EXPECT_EQ(rest.lfWidth, 0);
    EXPECT_EQ(rest.lfEscapement, 0);
}

TEST_F(GraphEffectsTest, TextIsSentAsAOneByteMaskInTheFormatsColour) {
    EXPECT_EQ(SendTextOverlay(&overlay, L"Hello", Format(L"Arial", CFE_BOLD, 480)), EffectResult::Sent);
    ASSERT_EQ(overlay.textCalls, 1);
    EXPECT_GT(overlay.textWidth, 20);
    EXPECT_GE(overlay.textHeight, 28);  // 480 twips = 32 pixels character height
    EXPECT_EQ(overlay.colour, RGB(10, 20, 30));
    size_t ink = 0;
    for (std::uint8_t bit : overlay.mask) {
        ASSERT_LE(bit, 1);
        ink += bit;
    }
    EXPECT_GT(ink, 50u);
    EXPECT_LT(ink, overlay.mask.size() / 2);
    // Top row first: the ink of "Hello" sits above the bottom rows (descender room).
    size_t lastRowInk = 0;
    for (int x = 0; x < overlay.textWidth; ++x)
        lastRowInk += overlay.mask[static_cast<size_t>(overlay.textHeight - 1) * overlay.textWidth + x];
    EXPECT_EQ(lastRowInk, 0u);

    // No face name: nothing is sent. Empty text: the text is removed.
    EXPECT_EQ(SendTextOverlay(&overlay, L"Hello", Format(nullptr, 0, 240)), EffectResult::NotSent);
    EXPECT_EQ(overlay.textCalls, 1);
    EXPECT_EQ(SendTextOverlay(&overlay, L"", Format(nullptr, 0, 0)), EffectResult::Sent);
    EXPECT_EQ(overlay.textCalls, 2);
    EXPECT_EQ(overlay.textWidth, 0);
    EXPECT_TRUE(overlay.mask.empty());
}

TEST_F(GraphEffectsTest, FrameTypeMenuListsTheEffectsFolderBehindNoFrame) {
    std::filesystem::create_directories(folder / L"Effects" / L"Frame.bmp");
    Write(L"Effects\\Gold.bmp", BitmapFile(1, 1, 4));
    Write(L"Effects\\Wood.bmp.bak", BitmapFile(1, 1, 4));
    ScopedMenu popup(::CreatePopupMenu());
    ::AppendMenuW(popup.Get(), MF_STRING, kNoFrameCommand, L"No Frame");
    ::AppendMenuW(popup.Get(), MF_STRING, kNoFrameCommand + 1, L"Stale");
    EXPECT_EQ(FillFrameTypePopup(popup.Get(), (folder / L"").wstring()), 1);
    ASSERT_EQ(::GetMenuItemCount(popup.Get()), 2);
    wchar_t text[64] = {};
    ::GetMenuStringW(popup.Get(), 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Gold");
    EXPECT_EQ(::GetMenuItemID(popup.Get(), 1), kNoFrameCommand + 1);
    EXPECT_EQ(::GetMenuItemID(popup.Get(), 0), kNoFrameCommand);
}

TEST(PowerLineFrequency, SixtyHertzSendsTwoToTheTestCamera) {
    ScopedComInit com;
    ASSERT_EQ(probe::RunTestcamctl("plug"), 0);
    ComPtr<IBaseFilter> camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, L"Test Pattern Camera");
    ASSERT_TRUE(camera);
    ComPtr<IAMVideoProcAmp> amp;
    ASSERT_HRESULT_SUCCEEDED(camera->QueryInterface(IID_IAMVideoProcAmp, amp.AsOut()));
    long value = 0, flags = 0;
    EXPECT_EQ(SendPowerLineFrequency(camera.Get(), 1), EffectResult::Sent);
    ASSERT_EQ(S_OK, amp->Get(13, &value, &flags));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(flags, 2);
    EXPECT_EQ(SendPowerLineFrequency(camera.Get(), 0), EffectResult::Sent);
    ASSERT_EQ(S_OK, amp->Get(13, &value, &flags));
    EXPECT_EQ(value, 1);
}

}  // namespace
