#pragma once
// 16-bit PCM mono WAV files.
#include <cstdint>
#include <vector>

namespace sounds {

constexpr int kSampleRate = 22050;

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int sampleRate = kSampleRate);

struct WavInfo {
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int formatTag = 0;
    std::vector<int16_t> samples;  // 16-bit files only
};
// Walks the RIFF chunks; false when the file is not a well-formed WAVE file.
bool DecodeWav(const std::vector<uint8_t>& bytes, WavInfo& info);

}  // namespace sounds
