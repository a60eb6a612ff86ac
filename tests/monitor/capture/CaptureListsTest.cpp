// The compressor and audio lists as the monitor window fills them.
#include "monitor/libs/YsCapture/StillCapture.h"

#include "tests/devices/support/TestCamera.h"
#include "tests/monitor/capture/TestCodec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <set>
#include <vector>

namespace {

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const int n = int(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char text[256] = "";
        ::SendMessageA(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

struct Combo {
    Combo()
        : hwnd(::CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                               nullptr, nullptr)) {}
    ~Combo() { ::DestroyWindow(hwnd); }
    HWND hwnd;
};

}  // namespace

TEST(CaptureLists, VideoCompressorsStartWithFullFramesInAStableOrder) {
    CStillCapture capture;
    Combo first, second;
    capture.AddCompressorsToList(first.hwnd);
    capture.AddCompressorsToList(second.hwnd);
    const auto items = ComboItems(first.hwnd);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0], "Full Frames (Uncompressed)");
    EXPECT_EQ(items, ComboItems(second.hwnd));  // the index order GetAviFromCam relies on
    // A compressor that encodes 24-bit frames is listed; Wine's own (which refuse them) are not.
    if (capture_test::InstallTestCodec()) {
        EXPECT_NE(std::find(items.begin(), items.end(), "Test 565 Codec"), items.end());
    }
    EXPECT_EQ(std::find(items.begin(), items.end(), "Wine MS-RLE"), items.end());
    for (const auto& name : items) std::cout << "video compressor: " << name << "\n";
}

TEST(CaptureLists, AudioCompressorsOfferPcmFirstAndTheToneSourceAmongTheInputs) {
    REQUIRE_TONE_SOURCE();
    CStillCapture capture;
    Combo formats, devices;
    ASSERT_TRUE(capture.AddAudioCompressorsToList(formats.hwnd));
    const auto names = ComboItems(formats.hwnd);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names[0], "PCM");
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (const auto& name : names) std::cout << "audio format: " << name << "\n";

    EXPECT_TRUE(capture.AddAudioDeviceToList(devices.hwnd));
    const auto inputs = ComboItems(devices.hwnd);
    EXPECT_NE(std::find(inputs.begin(), inputs.end(), "Test Tone Microphone"), inputs.end());
    for (const auto& name : inputs) std::cout << "audio input: " << name << "\n";
}
