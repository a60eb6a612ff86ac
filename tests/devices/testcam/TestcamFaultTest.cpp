// Faults driven through testcamctl: unplug and plug, still pictures, refused sizes.
#include "devices/common/TestcamIds.h"
#include "framework/Handles.h"
#include "media/MediaType.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

#include <dbt.h>
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

TEST_F(TestcamFault, UnplugLosesTheDeviceAndPlugBringsItBack) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(2, 5000));

    ASSERT_EQ(0, probe::RunTestcamctl("unplug"));
    LONG_PTR p1 = 0, p2 = -1;
    // Bounded by the wait, not timed: on a loaded machine starting testcamctl alone can take a second.
    ASSERT_TRUE(g.WaitEvent(EC_DEVICE_LOST, 2000, &p1, &p2));
    EXPECT_EQ(0, p2);
    ComPtr<IBaseFilter> lost;
    ASSERT_HRESULT_SUCCEEDED(reinterpret_cast<IUnknown*>(p1)->QueryInterface(IID_IBaseFilter, lost.AsOut()));
    EXPECT_EQ(camera.Get(), lost.Get());
    lost = nullptr;
    EXPECT_FALSE(CameraListed());
    Sleep(100);
    recorder.Clear();
    Sleep(400);
    EXPECT_EQ(0u, recorder.Count()) << "an unplugged camera sends no frames";

    ASSERT_EQ(0, probe::RunTestcamctl("plug"));
    ASSERT_TRUE(g.WaitEvent(EC_DEVICE_LOST, 2000, &p1, &p2));
    EXPECT_EQ(1, p2);
    EXPECT_TRUE(CameraListed());
    EXPECT_TRUE(recorder.WaitFrames(2, 3000));
    g.Release();
    // The events carried the filter without leaving a reference behind (or taking one away).
    EXPECT_EQ(0u, camera.Detach()->Release());
}

TEST_F(TestcamFault, CameraMadeWhileUnpluggedStaysSilentUntilPlugged) {
    ASSERT_EQ(0, probe::RunTestcamctl("unplug"));
    EXPECT_FALSE(probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera))
        << "an unplugged camera cannot be bound";
    // A program that kept the class id around still gets a filter, but no pictures.
    ComPtr<IBaseFilter> camera;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(testcam::kClsidTestPatternCamera, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_IBaseFilter, camera.AsOut()));
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    Sleep(400);
    EXPECT_EQ(0u, recorder.Count());
    ASSERT_EQ(0, probe::RunTestcamctl("plug"));
    LONG_PTR p1 = 0, p2 = -1;
    ASSERT_TRUE(g.WaitEvent(EC_DEVICE_LOST, 2000, &p1, &p2));
    EXPECT_EQ(1, p2);
    EXPECT_TRUE(recorder.WaitFrames(2, 3000));
    g.Release();
}

struct BroadcastSeen {
    int removals = 0, arrivals = 0;
    bool captureClass = false;
};
BroadcastSeen g_seen;

LRESULT CALLBACK ListenerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DEVICECHANGE && (wp == DBT_DEVICEREMOVECOMPLETE || wp == DBT_DEVICEARRIVAL)) {
        (wp == DBT_DEVICEREMOVECOMPLETE ? g_seen.removals : g_seen.arrivals)++;
        const auto* hdr = reinterpret_cast<const DEV_BROADCAST_HDR*>(lp);
        if (hdr && hdr->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            g_seen.captureClass =
                reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(lp)->dbcc_classguid ==
                AM_KSCATEGORY_CAPTURE;
        return TRUE;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST_F(TestcamFault, UnplugAndPlugAreBroadcast) {
    g_seen = BroadcastSeen();
    WNDCLASSW wc = {};
    wc.lpszClassName = L"TestcamFaultListener";
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpfnWndProc = ListenerProc;
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"listener", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                                nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(0, probe::RunTestcamctl("unplug", true));
    probe::Pump(100);
    EXPECT_EQ(1, g_seen.removals);
    EXPECT_TRUE(g_seen.captureClass);
    EXPECT_EQ(0, probe::RunTestcamctl("plug", true));
    probe::Pump(100);
    EXPECT_EQ(1, g_seen.arrivals);
    DestroyWindow(window);
}

}  // namespace
