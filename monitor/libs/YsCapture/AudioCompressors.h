// Audio formats a recording can compress its PCM into (Audio Compression Manager), "PCM" first.
#pragma once

#include <windows.h>
#include <mmreg.h>

#include <cstdint>
#include <string>
#include <vector>

namespace yscap {

struct AudioCompressorChoice {
    std::string name;
    WORD formatTag = WAVE_FORMAT_PCM;
};

// The PCM format audio is captured in when the device lets us choose: 22050 Hz, 16-bit, mono.
WAVEFORMATEX CapturePcmFormat();

const std::vector<AudioCompressorChoice>& AudioCompressors();

// The format `tag` suggested for compressing `pcm` (WAVEFORMATEX + extra bytes); false when no
// installed driver converts to it.
bool SuggestCompressedFormat(const WAVEFORMATEX& pcm, WORD tag, std::vector<uint8_t>& format);

}  // namespace yscap
