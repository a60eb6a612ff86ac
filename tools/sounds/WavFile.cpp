#include "tools/sounds/WavFile.h"

#include <cstring>

namespace sounds {

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(tag[i]));
}
uint32_t Get16(const uint8_t* p) {
    return p[0] | (p[1] << 8);
}
uint32_t Get32(const uint8_t* p) {
    return Get16(p) | (Get16(p + 2) << 16);
}
}  // namespace

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, 36 + dataBytes);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, uint32_t(sampleRate));
    Put32(out, uint32_t(sampleRate) * 2);  // bytes a second
    Put16(out, 2);                         // block align
    Put16(out, 16);
    PutTag(out, "data");
    Put32(out, dataBytes);
    for (int16_t s : samples) Put16(out, uint16_t(s));
    return out;
}

bool DecodeWav(const std::vector<uint8_t>& bytes, WavInfo& info) {
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
        return false;
    if (Get32(bytes.data() + 4) != bytes.size() - 8) return false;
    bool haveFormat = false, haveData = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint8_t* chunk = bytes.data() + at;
        const uint32_t size = Get32(chunk + 4);
        if (size > bytes.size() - at - 8) return false;
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            info.formatTag = int(Get16(chunk + 8));
            info.channels = int(Get16(chunk + 10));
            info.sampleRate = int(Get32(chunk + 12));
            info.bitsPerSample = int(Get16(chunk + 22));
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && haveFormat) {
            if (info.bitsPerSample != 16 || size % 2 != 0) return false;
            info.samples.resize(size / 2);
            for (uint32_t i = 0; i < size / 2; ++i) info.samples[i] = int16_t(Get16(chunk + 8 + 2 * i));
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    return haveFormat && haveData;
}

}  // namespace sounds
