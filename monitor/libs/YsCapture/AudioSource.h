// Audio inputs: the waveIn devices, then DirectShow audio capture devices of other names.
// A source delivers PCM blocks to its sink on its own thread.
#pragma once

#include <windows.h>
#include <mmreg.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace yscap {

class AudioSource {
  public:
    using Sink = std::function<void(const uint8_t* pcm, size_t size)>;
    virtual ~AudioSource() = default;
    virtual const WAVEFORMATEX& Format() const = 0;  // PCM
    virtual bool Start(Sink sink) = 0;
    // Returns once no sink call is running or will run.
    virtual void Stop() = 0;
};

std::vector<std::string> ListAudioInputs();
// Opens input `index` of ListAudioInputs(); null when it cannot be opened.
std::unique_ptr<AudioSource> OpenAudioInput(int index);

}  // namespace yscap
