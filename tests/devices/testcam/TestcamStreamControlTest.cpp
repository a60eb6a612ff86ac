// IAMStreamControl on the capture pins: samples held back outside the start and stop times, the
// times honoured while the graph runs, and the events with their cookies.
#include "framework/Handles.h"
#include "tests/devices/support/CaptureProbe.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kCamera[] = L"Test Pattern Camera";
const wchar_t kMicrophone[] = L"Test Tone Microphone";
constexpr REFERENCE_TIME kFrame = 333333;

class TestcamStreamControl : public ::testing::Test {
  protected:
    void SetUp() override {
        camera_ = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
        ASSERT_TRUE(camera_);
        pin_ = ComPtr<IPin>::Adopt(probe::FirstPin(camera_.Get(), PINDIR_OUTPUT));
        ASSERT_TRUE(pin_);
        ASSERT_HRESULT_SUCCEEDED(pin_->QueryInterface(IID_IAMStreamControl, control_.AsOut()));
    }
    void TearDown() override {
        g_.Release();
        control_ = nullptr;
        pin_ = nullptr;
        camera_ = nullptr;
    }
    AM_STREAM_INFO Info() {
        AM_STREAM_INFO info = {};
        EXPECT_EQ(S_OK, control_->GetInfo(&info));
        return info;
    }

    ScopedComInit com_;
    ComPtr<IBaseFilter> camera_;
    ComPtr<IPin> pin_;
    ComPtr<IAMStreamControl> control_;
    probe::FrameRecorder recorder_;
    probe::GrabberGraph g_;
};

TEST_F(TestcamStreamControl, HeldBeforeRunAndLetGoWhileRunning) {
    EXPECT_EQ(0u, Info().dwFlags);  // a fresh pin streams
    // What a program does around Run: hold the capture stream, run, let it go.
    const REFERENCE_TIME never = MAXLONGLONG;
    ASSERT_EQ(S_OK, control_->StartAt(&never, 0));
    ASSERT_EQ(S_OK, control_->StopAt(nullptr, FALSE, 0));
    EXPECT_EQ(static_cast<DWORD>(AM_STREAM_INFO_DISCARDING), Info().dwFlags);
    ASSERT_EQ(S_OK, g_.Build(camera_.Get(), MEDIATYPE_Video, &recorder_));
    ASSERT_HRESULT_SUCCEEDED(g_.control->Run());
    Sleep(500);
    EXPECT_EQ(0u, recorder_.Count());
    ASSERT_EQ(S_OK, control_->StartAt(nullptr, 0));
    ASSERT_EQ(S_OK, control_->StopAt(&never, FALSE, 0));
    EXPECT_EQ(0u, Info().dwFlags);
    EXPECT_TRUE(recorder_.WaitFrames(5, 5000));
}

TEST_F(TestcamStreamControl, StopAndStartTimesWhileRunningWithTheirEvents) {
    ASSERT_EQ(S_OK, g_.Build(camera_.Get(), MEDIATYPE_Video, &recorder_));
    ASSERT_HRESULT_SUCCEEDED(g_.control->Run());
    ASSERT_TRUE(recorder_.WaitFrames(2, 5000));
    const REFERENCE_TIME stopTime = recorder_.Take().back().start + 10 * kFrame;
    ASSERT_EQ(S_OK, control_->StopAt(&stopTime, FALSE, 7));
    AM_STREAM_INFO info = Info();
    EXPECT_EQ(static_cast<DWORD>(AM_STREAM_INFO_STOP_DEFINED), info.dwFlags);
    EXPECT_EQ(stopTime, info.tStop);
    EXPECT_EQ(7u, info.dwStopCookie);
    LONG_PTR sender = 0, cookie = 0;
    ASSERT_TRUE(g_.WaitEvent(EC_STREAM_CONTROL_STOPPED, 5000, &sender, &cookie));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(pin_.Get()), sender);
    EXPECT_EQ(7, cookie);
    Sleep(200);
    const auto stopped = recorder_.Take();
    ASSERT_FALSE(stopped.empty());
    for (const probe::Frame& f : stopped)
        EXPECT_LE(f.start, stopTime);  // the one holding stopTime is the last
    Sleep(300);
    EXPECT_EQ(stopped.size(), recorder_.Count());  // nothing after the stop
    EXPECT_EQ(static_cast<DWORD>(AM_STREAM_INFO_DISCARDING), Info().dwFlags);

    recorder_.Clear();
    const REFERENCE_TIME startTime = stopped.back().stop + 30 * kFrame;
    ASSERT_EQ(S_OK, control_->StartAt(&startTime, 9));
    ASSERT_TRUE(g_.WaitEvent(EC_STREAM_CONTROL_STARTED, 5000, &sender, &cookie));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(pin_.Get()), sender);
    EXPECT_EQ(9, cookie);
    ASSERT_TRUE(recorder_.WaitFrames(3, 5000));
    const auto started = recorder_.Take();
    EXPECT_GT(started.front().stop, startTime);  // nothing before the start time
    EXPECT_EQ(0u, Info().dwFlags);
}

TEST_F(TestcamStreamControl, StartAndStopAtOneTimeGiveOneSample) {
    ASSERT_EQ(S_OK, g_.Build(camera_.Get(), MEDIATYPE_Video, &recorder_));
    ASSERT_EQ(S_OK, control_->StopAt(nullptr, FALSE, 0));
    ASSERT_HRESULT_SUCCEEDED(g_.control->Run());
    Sleep(300);
    const REFERENCE_TIME at = 20 * kFrame;
    ASSERT_EQ(S_OK, control_->StartAt(&at, 0));
    ASSERT_EQ(S_OK, control_->StopAt(&at, FALSE, 3));
    ASSERT_TRUE(g_.WaitEvent(EC_STREAM_CONTROL_STOPPED, 5000, nullptr, nullptr));
    Sleep(300);
    const auto frames = recorder_.Take();
    ASSERT_EQ(1u, frames.size());
    EXPECT_LE(frames[0].start, at);
    EXPECT_GT(frames[0].stop, at);
}

TEST_F(TestcamStreamControl, MicrophoneIsHeldAndLetGoToo) {
    auto mic = probe::BindDevice(CLSID_AudioInputDeviceCategory, kMicrophone);
    ASSERT_TRUE(mic);
    auto pin = ComPtr<IPin>::Adopt(probe::FirstPin(mic.Get(), PINDIR_OUTPUT));
    ComPtr<IAMStreamControl> control;
    ASSERT_HRESULT_SUCCEEDED(pin->QueryInterface(IID_IAMStreamControl, control.AsOut()));
    ASSERT_EQ(S_OK, control->StopAt(nullptr, FALSE, 0));
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Build(mic.Get(), MEDIATYPE_Audio, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    Sleep(400);
    EXPECT_EQ(0u, recorder.Count());
    ASSERT_EQ(S_OK, control->StartAt(nullptr, 0));
    EXPECT_TRUE(recorder.WaitFrames(2, 5000));
    g.Release();
}

}  // namespace
