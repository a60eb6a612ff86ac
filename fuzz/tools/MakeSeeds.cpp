// Writes the seed AVIs of fuzz/corpus/avi with the project's own writer: a few frames of video,
// with and without audio, and one split into OpenDML segments.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "media/avi/AviWriter.h"

namespace {

std::vector<uint8_t> BitmapInfo(int width, int height) {
    std::vector<uint8_t> h(40, 0);
    auto put32 = [&h](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) h[at + i] = uint8_t(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, uint32_t(width));
    put32(8, uint32_t(height));
    h[12] = 1;
    h[14] = 24;
    put32(20, uint32_t(width * height * 3));
    return h;
}

std::vector<uint8_t> WaveFormat() {
    // PCM, mono, 8000 Hz, 16 bits.
    const uint8_t w[18] = {1, 0, 1, 0, 0x40, 0x1F, 0, 0, 0x80, 0x3E, 0, 0, 2, 0, 16, 0, 0, 0};
    return std::vector<uint8_t>(w, w + sizeof w);
}

bool Write(const std::string& path, int frames, bool audio, const avi::AviLimits& limits) {
    avi::AviVideoFormat video;
    video.width = 4;
    video.height = 2;
    video.handler = avi::MakeFourCc('D', 'I', 'B', ' ');
    video.strf = BitmapInfo(4, 2);
    video.rate = 15;
    avi::AviAudioFormat wave;
    wave.strf = WaveFormat();
    avi::AviWriter writer;
    if (!writer.Open(path, video, audio ? &wave : nullptr, limits)) return false;
    std::vector<uint8_t> frame(4 * 2 * 3);
    std::vector<uint8_t> samples(64);
    for (int i = 0; i < frames; ++i) {
        for (size_t k = 0; k < frame.size(); ++k) frame[k] = uint8_t(i * 7 + k);
        writer.WriteVideo(frame.data(), i == 2 ? 0 : uint32_t(frame.size()), i == 0);
        if (audio) writer.WriteAudio(samples.data(), uint32_t(samples.size()));
    }
    return writer.Close();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/avi/";
    avi::AviLimits plain;
    plain.maxSegments = 2;  // small super indexes keep the seeds small
    avi::AviLimits segmented;
    segmented.segmentBytes = 4096;
    segmented.maxSegments = 3;
    bool ok = Write(dir + "video-3-frames.avi", 3, false, plain) &&
              Write(dir + "video-audio-4-frames.avi", 4, true, plain) &&
              Write(dir + "odml-segments.avi", 80, true, segmented);
    return ok ? 0 : 1;
}
