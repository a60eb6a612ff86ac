// Faults driven through testcamctl: still pictures and refused sizes. Unplug and plug are met by
// the programs' own tests, which see the device go and come back.
#include "devices/common/TestcamIds.h"
#include "framework/Handles.h"
#include "media/MediaType.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const wchar_t kCamera[] = L"Test Pattern Camera";

bool CameraListed() {
    const auto names = probe::DeviceNames(CLSID_VideoInputDeviceCategory);
    return std::find(names.begin(), names.end(), kCamera) != names.end();
}

class TestcamFault : public ::testing::Test {
  protected:
    void TearDown() override {
        // Leave the device as the next test expects it, whatever happened here.
        probe::RunTestcamctl("still off");
        probe::RunTestcamctl("refuse off");
        if (!CameraListed()) probe::RunTestcamctl("plug");
    }
    ScopedComInit com_;
};

TEST_F(TestcamFault, StillModeRepeatsTheSamePicture) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(2, 5000));
    ASSERT_EQ(0, probe::RunTestcamctl("still on"));
    Sleep(300);  // frames in flight when the switch happened
    recorder.Clear();
    ASSERT_TRUE(recorder.WaitFrames(5, 5000));
    auto frames = recorder.Take();
    for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[0].bytes, frames[i].bytes) << "frame " << i;

    ASSERT_EQ(0, probe::RunTestcamctl("still off"));
    Sleep(300);
    recorder.Clear();
    ASSERT_TRUE(recorder.WaitFrames(3, 5000));
    frames = recorder.Take();
    EXPECT_NE(frames[0].bytes, frames[2].bytes);
    g.Release();
}

TEST_F(TestcamFault, RefusedSizeFailsSetFormatOnly) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto pin = ComPtr<IPin>::Adopt(probe::FirstPin(camera.Get(), PINDIR_OUTPUT));
    ComPtr<IAMStreamConfig> config;
    ASSERT_HRESULT_SUCCEEDED(pin->QueryInterface(IID_IAMStreamConfig, config.AsOut()));
    ASSERT_EQ(0, probe::RunTestcamctl("refuse 320x240"));
    media::MediaType qvga, cif;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(qvga.Get(), 320, 240, 333333));
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(cif.Get(), 352, 288, 333333));
    EXPECT_TRUE(FAILED(config->SetFormat(&qvga.Get())));
    EXPECT_EQ(S_OK, config->SetFormat(&cif.Get()));
    ASSERT_EQ(0, probe::RunTestcamctl("refuse off"));
    EXPECT_EQ(S_OK, config->SetFormat(&qvga.Get()));
    EXPECT_EQ(2, probe::RunTestcamctl("refuse 320by240"));
}

}  // namespace
