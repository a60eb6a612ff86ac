// Recordings written through every listed compressor and audio format, read back.
#include "monitor/libs/YsCapture/AudioCompressors.h"
#include "monitor/libs/YsCapture/AviRecorder.h"
#include "monitor/libs/YsCapture/VideoCompressors.h"
#include "tests/media/avi/ReadAvi.h"
#include "tests/monitor/capture/TempFile.h"
#include "tests/monitor/capture/VfwPlayback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace avi;
using namespace yscap;

namespace {

constexpr int kW = 320, kH = 240;
constexpr int64_t kFrame = 333333;

std::vector<uint8_t> Pattern(int n) {
    std::vector<uint8_t> f(size_t(kW) * kH * 3);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            uint8_t* p = &f[(size_t(y) * kW + size_t(x)) * 3];
            p[0] = uint8_t(x + n * 4);
            p[1] = uint8_t(y);
            p[2] = ((x / 16 + y / 16 + n) & 1) ? 200 : 40;
        }
    return f;
}

std::vector<uint8_t> Tone(size_t samples, double phase0) {
    std::vector<uint8_t> pcm(samples * 2);
    for (size_t i = 0; i < samples; ++i) {
        const int16_t v = int16_t(8000 * std::sin(phase0 + double(i) * 2 * 3.14159265 * 440 / 22050));
        std::memcpy(&pcm[i * 2], &v, 2);
    }
    return pcm;
}

}  // namespace

TEST(AviRecorder, EveryListedCompressorRecordsAReadableFile) {
    const auto& compressors = VideoCompressors();
    for (size_t i = 0; i < compressors.size(); ++i) {
        SCOPED_TRACE(compressors[i].name);
        const std::string path = capture_test::TempFile("ys_rec_" + std::to_string(i) + ".avi");
        auto encoder = std::make_unique<VideoEncoder>();
        ASSERT_TRUE(encoder->Open(compressors[i].handler, kW, kH));
        const std::vector<uint8_t> format = encoder->Format();
        AviRecorder recorder;
        ASSERT_TRUE(recorder.Open(path, std::move(encoder), kW, kH, kFrame, nullptr));
        for (int n = 0; n < 20; ++n) {
            const int64_t time = 10000000 + n * kFrame + (n >= 10 ? 2 * kFrame : 0);  // two frames dropped
            recorder.OnFrame(Pattern(n).data(), time);
        }
        ASSERT_TRUE(recorder.Finish(false));

        const AviFileInfo avi = avi_test::ReadAvi(path);
        ASSERT_EQ(avi.streams.size(), 1u);
        EXPECT_EQ(avi.main.totalFrames, 22u);  // 20 frames and 2 repeats keep real time
        EXPECT_EQ(avi.streams[0].length, 22u);
        EXPECT_EQ(avi.main.width, uint32_t(kW));
        EXPECT_EQ(avi.main.height, uint32_t(kH));
        EXPECT_EQ(avi.streams[0].format, format);
        EXPECT_EQ(avi.streams[0].rate, 30000u);
        EXPECT_EQ(CheckAviIndex(avi), "");
        EXPECT_EQ(capture_test::PlayWithVfw(path).error, "");
        if (compressors[i].handler == 0) {
            const std::vector<uint8_t> first = Pattern(0);
            ASSERT_EQ(avi.chunks[0].size, first.size());
        } else {
            // A real compressor makes the pattern smaller than full frames.
            EXPECT_LT(avi.chunks[0].size, uint32_t(kW * kH * 3));
        }
        ::DeleteFileA(path.c_str());
    }
}

TEST(AviRecorder, AudioIsWrittenInEveryListedFormatAndCanSetTheVideoRate) {
    const auto& formats = AudioCompressors();
    const WAVEFORMATEX pcm = CapturePcmFormat();
    for (size_t i = 0; i < formats.size(); ++i) {
        SCOPED_TRACE(formats[i].name);
        const std::string path = capture_test::TempFile("ys_audio_" + std::to_string(i) + ".avi");
        auto video = std::make_unique<VideoEncoder>();
        ASSERT_TRUE(video->Open(0, kW, kH));
        auto audio = std::make_unique<AudioEncoder>();
        ASSERT_TRUE(audio->Open(pcm, formats[i].formatTag));
        AviRecorder recorder;
        ASSERT_TRUE(recorder.Open(path, std::move(video), kW, kH, kFrame, std::move(audio)));
        // One second of audio next to 25 frames: with audio as master the video lasts one second.
        for (int quarter = 0; quarter < 4; ++quarter) {
            const auto tone = Tone(22050 / 4, quarter * 1.0);
            recorder.OnAudio(tone.data(), tone.size());
        }
        for (int n = 0; n < 25; ++n) recorder.OnFrame(Pattern(n).data(), n * kFrame);
        ASSERT_TRUE(recorder.Finish(true));

        const AviFileInfo avi = avi_test::ReadAvi(path);
        ASSERT_EQ(avi.streams.size(), 2u);
        EXPECT_EQ(avi.main.streams, 2u);
        const AviStreamInfo& a = avi.streams[1];
        EXPECT_EQ(a.type, MakeFourCc('a', 'u', 'd', 's'));
        ASSERT_GE(a.format.size(), 16u);
        EXPECT_EQ(uint16_t(a.format[0] | a.format[1] << 8), formats[i].formatTag);
        EXPECT_GT(avi.ChunkCount(1), 0u);
        EXPECT_GT(a.length, 0u);
        // Audio length in seconds is about one second.
        const double seconds = double(a.length) * a.scale / a.rate;
        EXPECT_NEAR(seconds, 1.0, 0.1);
        const double videoSeconds =
            double(avi.streams[0].length) * avi.streams[0].scale / avi.streams[0].rate;
        EXPECT_NEAR(videoSeconds, seconds, 0.05);
        EXPECT_EQ(CheckAviIndex(avi), "");
        const auto played = capture_test::PlayWithVfw(path);
        EXPECT_EQ(played.error, "");
        EXPECT_GT(played.audioSamples, 0);
        ::DeleteFileA(path.c_str());
    }
}

TEST(AviRecorder, SegmentedFilePlaysThroughVideoForWindows) {
    const std::string path = capture_test::TempFile("ys_segments.avi");
    auto encoder = std::make_unique<VideoEncoder>();
    ASSERT_TRUE(encoder->Open(0, kW, kH));
    AviWriter writer;
    AviVideoFormat format;
    format.width = kW;
    format.height = kH;
    format.handler = encoder->StreamHandler();
    format.strf = encoder->Format();
    AviLimits limits;
    limits.segmentBytes = 1 << 20;  // about four frames a segment
    ASSERT_TRUE(writer.Open(path, format, nullptr, limits));
    for (int n = 0; n < 20; ++n) ASSERT_TRUE(writer.WriteVideo(Pattern(n).data(), kW * kH * 3, true));
    ASSERT_TRUE(writer.Close());
    AviFileInfo avi = avi_test::ReadAvi(path);
    EXPECT_GT(avi.segments, 3u);
    EXPECT_EQ(CheckAviIndex(avi), "");
    // Video for Windows reads the first segment (idx1); OpenDML readers read them all.
    const auto played = capture_test::PlayWithVfw(path, long(avi.main.totalFrames));
    EXPECT_EQ(played.error, "");
    EXPECT_EQ(played.videoFrames, 20);
    ::DeleteFileA(path.c_str());
}
