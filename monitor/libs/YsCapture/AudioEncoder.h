// AudioEncoder: converts captured PCM into the recording's audio format through an ACM stream,
// or passes PCM through. Keeps unconverted bytes between calls.
#pragma once

#include <windows.h>
#include <mmreg.h>
#include <mmsystem.h>
#include <msacm.h>

#include <cstdint>
#include <vector>

namespace yscap {

class AudioEncoder {
  public:
    AudioEncoder() = default;
    AudioEncoder(const AudioEncoder&) = delete;
    AudioEncoder& operator=(const AudioEncoder&) = delete;
    ~AudioEncoder() { Close(); }

    // tag WAVE_FORMAT_PCM passes through. False when no driver converts pcm to tag.
    bool Open(const WAVEFORMATEX& pcm, WORD tag);
    void Close();

    const std::vector<uint8_t>& Format() const { return format_; }  // strf bytes

    // Appends the converted bytes to out. final = flush what the converter still holds.
    bool Convert(const uint8_t* pcm, size_t size, std::vector<uint8_t>& out, bool final = false);

  private:
    HACMSTREAM stream_ = nullptr;
    std::vector<uint8_t> format_;
    std::vector<uint8_t> pending_;
};

}  // namespace yscap
