#include "monitor/libs/YsCapture/VideoCompressors.h"

#include "monitor/libs/YsCapture/DirectShow.h"
#include "monitor/libs/YsCapture/VideoEncoder.h"

#include <vfw.h>

namespace yscap {

const char kFullFramesName[] = "Full Frames (Uncompressed)";

namespace {

// A compressor qualifies when it encodes a test frame at every size a recording runs at.
bool EncodesAllSizes(DWORD handler) {
    static const int sizes[][2] = {{320, 240}, {640, 480}, {800, 600}};
    for (const auto& s : sizes) {
        VideoEncoder encoder;
        if (!encoder.Open(handler, s[0], s[1])) return false;
        std::vector<uint8_t> frame(size_t(s[0]) * size_t(s[1]) * 3);
        for (size_t i = 0; i < frame.size(); ++i) frame[i] = uint8_t((i / 3) % 251);
        const uint8_t* out = nullptr;
        uint32_t size = 0;
        bool key = false;
        if (!encoder.Encode(frame.data(), out, size, key) || size == 0) return false;
    }
    return true;
}

std::vector<VideoCompressorChoice> Measure() {
    std::vector<VideoCompressorChoice> list{{kFullFramesName, 0}};
    ICINFO info{};
    for (DWORD i = 0; ICInfo(ICTYPE_VIDEO, i, &info); ++i) {
        HIC hic = ICOpen(ICTYPE_VIDEO, info.fccHandler, ICMODE_QUERY);
        if (!hic) continue;
        ICINFO details{};
        details.dwSize = sizeof details;
        const bool described = ICGetInfo(hic, &details, sizeof details) != 0;
        ICClose(hic);
        if (!described || !EncodesAllSizes(info.fccHandler)) continue;
        std::string name = ToAnsi(details.szDescription);
        if (name.empty()) name = ToAnsi(details.szName);
        list.push_back({name, info.fccHandler});
    }
    return list;
}

}  // namespace

const std::vector<VideoCompressorChoice>& VideoCompressors() {
    static const std::vector<VideoCompressorChoice> list = Measure();
    return list;
}

}  // namespace yscap
