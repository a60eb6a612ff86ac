// CStillCapture against the test camera: sizes, frames, loss and recordings.
#include "monitor/libs/YsCapture/StillCapture.h"

#include "framework/Handles.h"
#include "monitor/libs/YsCapture/AudioCompressors.h"
#include "monitor/libs/YsCapture/AudioSource.h"
#include "monitor/libs/YsCapture/VideoCompressors.h"
#include "monitor/libs/YsCapture/DirectShow.h"
#include "monitor/libs/YsCapture/GrabberGraph.h"
#include "devices/common/TestcamIds.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/media/avi/ReadAvi.h"
#include "media/avi/AviWriter.h"
#include "tests/monitor/capture/TempFile.h"
#include "tests/monitor/capture/VfwPlayback.h"
#include "tests/devices/support/TestCamera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace avi;
using namespace yscap;
using probe::RunTestcamctl;

namespace {

class StillCaptureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        leaksBefore_ = ComLeaks();
        REQUIRE_TEST_CAMERA();
    }
    void TearDown() override {
        capture_.Release();
        probe::ResetTestCamera();
        EXPECT_EQ(ComLeaks(), leaksBefore_) << "a COM object was not released to zero";
    }

    // Calls Capture every 50 ms, like the monitor's tick, until pred or the timeout.
    template <typename Pred>
    bool TickUntil(Pred pred, int timeoutMs = 4000) {
        for (int waited = 0; waited <= timeoutMs; waited += 50) {
            capture_.Capture();
            if (pred()) return true;
            ::Sleep(50);
        }
        return false;
    }
    bool WaitFrame() {
        return TickUntil([&] { return capture_.m_nFrameReady && capture_.m_pFrame; });
    }
    void Tick(int ms) {
        for (int waited = 0; waited < ms; waited += 50) {
            capture_.Capture();
            ::Sleep(50);
        }
    }
    // True when the frame is not one flat colour (the camera's pattern arrived).
    bool HasPicture() const {
        const size_t n = size_t(capture_.m_nWidth) * size_t(capture_.m_nHeight) * 3;
        const uint8_t* f = capture_.m_pFrame;
        return std::any_of(f, f + n, [&](uint8_t b) { return b != f[0]; });
    }

    CStillCapture capture_;
    long leaksBefore_ = 0;
};

}  // namespace

TEST_F(StillCaptureTest, InitGivesFramesOfExactlyTheAskedSize) {
    capture_.m_strDeviceKey = "CAM";
    const int sizes[][2] = {{320, 240}, {640, 480}, {800, 600}, {300, 200}};  // 300x200 is not offered
    for (const auto& s : sizes) {
        SCOPED_TRACE(std::to_string(s[0]) + "x" + std::to_string(s[1]));
        ASSERT_TRUE(capture_.Init(0, s[0], s[1]));
        EXPECT_EQ(capture_.m_strDevice, "Test Pattern Camera");
        EXPECT_EQ(capture_.m_nWidth, s[0]);
        EXPECT_EQ(capture_.m_nHeight, s[1]);
        ASSERT_TRUE(WaitFrame());
        EXPECT_TRUE(HasPicture());
        EXPECT_EQ(capture_.m_bLost, 0);
        capture_.Release();
        EXPECT_EQ(capture_.m_pFrame, nullptr);
        EXPECT_EQ(capture_.m_nFrameReady, 0);
    }
}

// Nothing stands between the camera and the grabber: a splitter there would copy every frame.
TEST_F(StillCaptureTest, CameraPinFeedsTheGrabberDirectly) {
    ScopedComInit com;
    ComPtr<IBaseFilter> camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, testcam::kCameraName);
    ASSERT_TRUE(camera);
    std::vector<std::wstring> peers;
    {
        GrabberGraph graph;
        ASSERT_TRUE(graph.Build(camera.Get(), MEDIATYPE_Video, MEDIASUBTYPE_RGB24, nullptr,
                                [](const GrabbedSample&) {}));
        ComPtr<IEnumPins> pins;
        ASSERT_HRESULT_SUCCEEDED(camera->EnumPins(&pins));
        ComPtr<IPin> pin, peer;
        while (pins->Next(1, &pin, nullptr) == S_OK) {
            if (FAILED(pin->ConnectedTo(&peer))) continue;
            PIN_INFO info{};
            ASSERT_HRESULT_SUCCEEDED(peer->QueryPinInfo(&info));
            FILTER_INFO filter{};
            if (info.pFilter && SUCCEEDED(info.pFilter->QueryFilterInfo(&filter))) {
                peers.push_back(filter.achName);
                if (filter.pGraph) filter.pGraph->Release();
            }
            if (info.pFilter) info.pFilter->Release();
        }
    }
    EXPECT_EQ(peers, std::vector<std::wstring>{L"Grabber"});
}

TEST_F(StillCaptureTest, RefusedSizeIsScaledFromTheNearestOffer) {
    ASSERT_EQ(RunTestcamctl("refuse 640x480"), 0);
    ASSERT_TRUE(capture_.Init(0, 640, 480));
    ASSERT_TRUE(WaitFrame());
    EXPECT_TRUE(HasPicture());
}

TEST_F(StillCaptureTest, UnplugSetsLostAndKeepsTheLastFrame) {
    ASSERT_TRUE(capture_.Init(0, 320, 240));
    ASSERT_TRUE(WaitFrame());
    ASSERT_EQ(RunTestcamctl("unplug"), 0);
    // The graph reports the loss: noticed well before a silent camera would count as gone.
    ASSERT_TRUE(TickUntil([&] { return capture_.m_bLost != 0; }, 2000));
    BYTE* last = capture_.m_pFrame;
    std::vector<uint8_t> copy(last, last + 320 * 240 * 3);
    Tick(200);
    EXPECT_EQ(capture_.m_pFrame, last);
    EXPECT_EQ(capture_.m_nFrameReady, 1);
    EXPECT_EQ(std::memcmp(copy.data(), capture_.m_pFrame, copy.size()), 0);
    capture_.Release();
    EXPECT_FALSE(capture_.Init(0, 320, 240));  // the device is gone
    ASSERT_EQ(RunTestcamctl("plug"), 0);
    EXPECT_TRUE(capture_.Init(0, 320, 240));
    EXPECT_EQ(capture_.m_bLost, 0);
}

TEST_F(StillCaptureTest, RecordingWithEveryListedCompressorWritesAFileThatPlaysBack) {
    const auto& compressors = VideoCompressors();
    for (size_t i = 0; i < compressors.size(); ++i) {
        SCOPED_TRACE(compressors[i].name);
        const std::string path = capture_test::TempFile("ys_cam_rec.avi");
        ASSERT_TRUE(capture_.GetAviFromCam(int(i), 320, 240, 0, 0, 1, 0, 1, path));
        EXPECT_TRUE(WaitFrame());  // the preview keeps running
        Tick(2500);
        capture_.Release();

        const AviFileInfo avi = avi_test::ReadAvi(path);
        ASSERT_EQ(avi.streams.size(), 1u);  // no audio asked, none written
        EXPECT_EQ(avi.main.width, 320u);
        EXPECT_EQ(avi.main.height, 240u);
        EXPECT_EQ(avi.streams[0].handler,
                  compressors[i].handler ? compressors[i].handler : MakeFourCc('D', 'I', 'B', ' '));
        EXPECT_GT(avi.main.totalFrames, 30u);
        EXPECT_LT(avi.main.totalFrames, 120u);
        if (compressors[i].handler == 0) {
            EXPECT_EQ(avi.chunks[0].size, 320u * 240u * 3u);
        }
        EXPECT_EQ(CheckAviIndex(avi), "");
        const auto played = capture_test::PlayWithVfw(path);
        EXPECT_EQ(played.error, "");
        EXPECT_EQ(played.videoFrames, long(avi.main.totalFrames));
        EXPECT_EQ(played.audioSamples, -1);
        ::DeleteFileA(path.c_str());
    }
}

TEST_F(StillCaptureTest, RecordingWithAudioHasAnAudioStream) {
    ScopedComInit com;
    REQUIRE_TONE_SOURCE();
    const std::string path = capture_test::TempFile("ys_cam_rec_audio.avi");
    ASSERT_TRUE(capture_.GetAviFromCam(0, 320, 240, 0, 0, 1, 1, 1, path));
    Tick(2000);
    capture_.Release();
    const AviFileInfo avi = avi_test::ReadAvi(path);
    ASSERT_EQ(avi.streams.size(), 2u);
    EXPECT_GT(avi.ChunkCount(1), 0u);
    EXPECT_GT(avi.main.totalFrames, 20u);
    EXPECT_EQ(CheckAviIndex(avi), "");
    const auto played = capture_test::PlayWithVfw(path);
    EXPECT_EQ(played.error, "");
    EXPECT_GT(played.audioSamples, 0);
    ::DeleteFileA(path.c_str());
}

TEST_F(StillCaptureTest, EachAudioFormatIsRecordedOrFallsBackToPcmVisibly) {
    ScopedComInit com;
    REQUIRE_TONE_SOURCE();
    const auto& formats = AudioCompressors();
    for (size_t i = 0; i < formats.size(); ++i) {
        SCOPED_TRACE(formats[i].name);
        const std::string path = capture_test::TempFile("ys_cam_fmt.avi");
        capture_.m_bAudioFallback = 0;
        ASSERT_TRUE(capture_.GetAviFromCam(0, 320, 240, int(i), 0, 255, 1, 1, path));
        Tick(600);
        capture_.Release();
        const AviFileInfo avi = avi_test::ReadAvi(path);
        ASSERT_EQ(avi.streams.size(), 2u);
        const uint16_t tag = uint16_t(avi.streams[1].format[0] | avi.streams[1].format[1] << 8);
        if (capture_.m_bAudioFallback)
            EXPECT_EQ(tag, WAVE_FORMAT_PCM);
        else
            EXPECT_EQ(tag, formats[i].formatTag);
        EXPECT_EQ(CheckAviIndex(avi), "");
        EXPECT_EQ(capture_test::PlayWithVfw(path).error, "");
        ::DeleteFileA(path.c_str());
    }
}

TEST_F(StillCaptureTest, AFailedStartLeavesNoFile) {
    const std::string path = capture_test::TempFile("ys_cam_bad.avi");
    EXPECT_FALSE(capture_.GetAviFromCam(999, 320, 240, 0, 0, 1, 0, 1, path));
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(capture_.GetAviFromCam(0, 320, 240, 0, 0, 1, 0, 1, "Q:\\no\\such\\folder\\x.avi"));
}

TEST_F(StillCaptureTest, UnplugWhileRecordingLeavesAReadableFile) {
    const std::string path = capture_test::TempFile("ys_cam_unplug.avi");
    ASSERT_TRUE(capture_.GetAviFromCam(0, 640, 480, 0, 0, 1, 0, 1, path));
    Tick(1500);
    ASSERT_EQ(RunTestcamctl("unplug"), 0);
    ASSERT_TRUE(TickUntil([&] { return capture_.m_bLost != 0; }, 5000));
    capture_.Release();
    const AviFileInfo avi = avi_test::ReadAvi(path);
    ASSERT_EQ(avi.streams.size(), 1u);
    EXPECT_GT(avi.main.totalFrames, 10u);
    EXPECT_EQ(avi.main.width, 640u);
    EXPECT_EQ(CheckAviIndex(avi), "");
    EXPECT_EQ(capture_test::PlayWithVfw(path).error, "");
    ::DeleteFileA(path.c_str());
}
