// The test devices as a program sees them: enumeration, binding, formats, frames and leaks.
#include "devices/testcam/CameraSizes.h"
#include "devices/testcam/TestPattern.h"
#include "framework/Handles.h"
#include "media/MediaType.h"
#include "tests/devices/support/CaptureProbe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const wchar_t kCamera[] = L"Test Pattern Camera";
const wchar_t kMicrophone[] = L"Test Tone Microphone";

class TestcamDevice : public ::testing::Test {
  protected:
    ScopedComInit com_;
};

ComPtr<IAMStreamConfig> StreamConfig(IBaseFilter* filter) {
    ComPtr<IAMStreamConfig> config;
    auto pin = ComPtr<IPin>::Adopt(probe::FirstPin(filter, PINDIR_OUTPUT));
    if (pin) pin->QueryInterface(IID_IAMStreamConfig, config.AsOut());
    return config;
}

TEST_F(TestcamDevice, CapturePinReportsCategoryAndSizes) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto pin = ComPtr<IPin>::Adopt(probe::FirstPin(camera.Get(), PINDIR_OUTPUT));
    ASSERT_TRUE(pin);
    ComPtr<IKsPropertySet> props;
    ASSERT_HRESULT_SUCCEEDED(pin->QueryInterface(IID_IKsPropertySet, props.AsOut()));
    GUID category = GUID_NULL;
    DWORD returned = 0;
    ASSERT_EQ(S_OK, props->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category,
                               sizeof category, &returned));
    EXPECT_TRUE(category == PIN_CATEGORY_CAPTURE);

    auto config = StreamConfig(camera.Get());
    ASSERT_TRUE(config);
    int count = 0, size = 0;
    ASSERT_EQ(S_OK, config->GetNumberOfCapabilities(&count, &size));
    ASSERT_EQ(testcam::kCameraSizeCount, count);
    ASSERT_EQ(static_cast<int>(sizeof(VIDEO_STREAM_CONFIG_CAPS)), size);
    for (int i = 0; i < count; ++i) {
        AM_MEDIA_TYPE* mt = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps = {};
        ASSERT_EQ(S_OK, config->GetStreamCaps(i, &mt, reinterpret_cast<BYTE*>(&caps)));
        const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(*mt);
        ASSERT_NE(nullptr, vih);
        EXPECT_EQ(testcam::kCameraSizes[i].width, vih->bmiHeader.biWidth);
        EXPECT_EQ(testcam::kCameraSizes[i].height, vih->bmiHeader.biHeight);
        EXPECT_EQ(333333, vih->AvgTimePerFrame);
        EXPECT_EQ(caps.MaxOutputSize.cx, vih->bmiHeader.biWidth);
        media::DeleteMediaType(mt);
    }
    AM_MEDIA_TYPE* current = nullptr;
    ASSERT_EQ(S_OK, config->GetFormat(&current));
    const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(*current);
    ASSERT_NE(nullptr, vih);
    EXPECT_EQ(640, vih->bmiHeader.biWidth);
    EXPECT_EQ(480, vih->bmiHeader.biHeight);
    media::DeleteMediaType(current);

    // A size off the list is refused.
    media::MediaType odd;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(odd.Get(), 333, 222, 333333));
    EXPECT_TRUE(FAILED(config->SetFormat(&odd.Get())));
}

TEST_F(TestcamDevice, FramesFollowSetFormatForEveryListedSize) {
    for (int i = 0; i < testcam::kCameraSizeCount; ++i) {
        const testcam::CameraSize size = testcam::kCameraSizes[i];
        SCOPED_TRACE(::testing::Message() << size.width << "x" << size.height);
        auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
        ASSERT_TRUE(camera);
        auto config = StreamConfig(camera.Get());
        ASSERT_TRUE(config);
        AM_MEDIA_TYPE* mt = nullptr;
        VIDEO_STREAM_CONFIG_CAPS caps = {};
        ASSERT_EQ(S_OK, config->GetStreamCaps(i, &mt, reinterpret_cast<BYTE*>(&caps)));
        ASSERT_EQ(S_OK, config->SetFormat(mt));
        media::DeleteMediaType(mt);

        probe::FrameRecorder recorder;
        probe::GrabberGraph g;
        ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
        int width = 0, height = 0;
        g.ConnectedSize(width, height);
        EXPECT_EQ(size.width, width);
        EXPECT_EQ(size.height, height);
        ASSERT_HRESULT_SUCCEEDED(g.control->Run());
        ASSERT_TRUE(recorder.WaitFrames(3, 5000));
        g.control->Stop();
        for (const probe::Frame& f : recorder.Take())
            EXPECT_EQ(static_cast<size_t>(size.width * 3 * size.height), f.bytes.size());
        g.Release();
    }
}

TEST_F(TestcamDevice, SetFormatWhileConnectedReconnectsAtTheNewSize) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    auto config = StreamConfig(camera.Get());
    ASSERT_TRUE(config);
    media::MediaType qvga;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(qvga.Get(), 320, 240, 333333));
    ASSERT_EQ(S_OK, config->SetFormat(&qvga.Get()));
    int width = 0, height = 0;
    g.ConnectedSize(width, height);
    EXPECT_EQ(320, width);
    EXPECT_EQ(240, height);
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(2, 5000));
    // Not while running.
    media::MediaType vga;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(vga.Get(), 640, 480, 333333));
    EXPECT_EQ(VFW_E_NOT_STOPPED, config->SetFormat(&vga.Get()));
    g.control->Stop();
    EXPECT_EQ(static_cast<size_t>(320 * 240 * 3), recorder.Take().front().bytes.size());
    g.Release();
}

TEST_F(TestcamDevice, LiveSourceTimesCounterAndPauseState) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(camera.Get(), MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Pause());
    FILTER_STATE state;
    EXPECT_EQ(VFW_S_CANT_CUE, camera->GetState(0, &state));
    EXPECT_EQ(State_Paused, state);
    Sleep(200);
    EXPECT_EQ(0u, recorder.Count());  // a live source pushes only while running
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(10, 5000));
    g.control->Stop();
    EXPECT_EQ(S_OK, camera->GetState(0, &state));
    EXPECT_EQ(State_Stopped, state);

    const auto frames = recorder.Take();
    long lastCounter = -1;
    for (size_t i = 0; i < frames.size(); ++i) {
        ASSERT_TRUE(frames[i].timed);
        EXPECT_EQ(333333, frames[i].stop - frames[i].start);
        if (i > 0) {
            EXPECT_GE(frames[i].start, frames[i - 1].stop);
            EXPECT_EQ(0, (frames[i].start - frames[i - 1].start) % 333333);
        }
        const long counter = testcam::ReadFrameCounter(frames[i].bytes.data(), 640, 480, 640 * 3);
        ASSERT_GE(counter, 0);
        EXPECT_GT(counter, lastCounter);
        lastCounter = counter;
    }
    EXPECT_NE(frames.front().bytes, frames.back().bytes);
    g.Release();
}

TEST_F(TestcamDevice, MicrophoneDeliversPcmTone) {
    auto mic = probe::BindDevice(CLSID_AudioInputDeviceCategory, kMicrophone);
    ASSERT_TRUE(mic);
    ComPtr<IAMStreamConfig> config = StreamConfig(mic.Get());
    ASSERT_TRUE(config);
    AM_MEDIA_TYPE* format = nullptr;
    ASSERT_EQ(S_OK, config->GetFormat(&format));
    ASSERT_TRUE(format->formattype == FORMAT_WaveFormatEx);
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(format->pbFormat);
    EXPECT_EQ(16, wave->wBitsPerSample);
    EXPECT_EQ(44100u, wave->nSamplesPerSec);
    media::DeleteMediaType(format);
    config = nullptr;
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(mic.Get(), MEDIATYPE_Audio, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(3, 5000));
    g.control->Stop();
    for (const probe::Frame& f : recorder.Take()) {
        ASSERT_EQ(8820u, f.bytes.size());
        EXPECT_EQ(1000000, f.stop - f.start);
        const auto* pcm = reinterpret_cast<const short*>(f.bytes.data());
        short peak = 0;
        for (size_t i = 0; i < f.bytes.size() / 2; ++i) peak = std::max<short>(peak, pcm[i]);
        EXPECT_GT(peak, 10000);
    }
    g.Release();
    EXPECT_EQ(0u, mic.Detach()->Release());
}

TEST_F(TestcamDevice, PowerLineFrequencyIsStoredAndReported) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    ComPtr<IAMVideoProcAmp> amp;
    ASSERT_HRESULT_SUCCEEDED(camera->QueryInterface(IID_IAMVideoProcAmp, amp.AsOut()));
    long min = 0, max = 0, step = 0, def = 0, flags = 0;
    ASSERT_EQ(S_OK, amp->GetRange(13, &min, &max, &step, &def, &flags));
    EXPECT_EQ(1, min);
    EXPECT_EQ(2, max);
    ASSERT_EQ(S_OK, amp->Set(13, 2, VideoProcAmp_Flags_Manual));
    long value = 0;
    ASSERT_EQ(S_OK, amp->Get(13, &value, &flags));
    EXPECT_EQ(2, value);
    EXPECT_TRUE(FAILED(amp->Set(13, 3, VideoProcAmp_Flags_Manual)));
    EXPECT_TRUE(FAILED(amp->Get(VideoProcAmp_Brightness, &value, &flags)));

    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_HRESULT_SUCCEEDED(camera->QueryInterface(IID_ISpecifyPropertyPages, pages.AsOut()));
    CAUUID uuids = {};
    ASSERT_EQ(S_OK, pages->GetPages(&uuids));
    EXPECT_EQ(1u, uuids.cElems);
    CoTaskMemFree(uuids.pElems);
    ComPtr<IAMDroppedFrames> dropped;
    EXPECT_HRESULT_SUCCEEDED(camera->QueryInterface(IID_IAMDroppedFrames, dropped.AsOut()));
}

TEST_F(TestcamDevice, FilterAndPinsGoAwayWithTheGraph) {
    IBaseFilter* camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera).Detach();
    ASSERT_NE(nullptr, camera);
    {
        probe::FrameRecorder recorder;
        probe::GrabberGraph g;
        ASSERT_EQ(S_OK, g.Build(camera, MEDIATYPE_Video, &recorder));
        // Interfaces of the pin are held and released the way a program does.
        auto config = StreamConfig(camera);
        ASSERT_TRUE(config);
        ASSERT_HRESULT_SUCCEEDED(g.control->Run());
        ASSERT_TRUE(recorder.WaitFrames(3, 5000));
        g.Release();
    }
    EXPECT_EQ(0u, camera->Release());
    // Nothing of testcam.dll is alive any more: no filter, pin, allocator, sample or enumerator.
    HMODULE dll = GetModuleHandleW(L"testcam.dll");
    ASSERT_NE(nullptr, dll);
    auto canUnload =
        reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
    ASSERT_NE(nullptr, canUnload);
    EXPECT_EQ(S_OK, canUnload());
}

}  // namespace
