// 16-bit PCM sine tone for the test microphone; the phase carries over between buffers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace testcam {

class ToneGenerator {
  public:
    ToneGenerator(double frequency, int sampleRate, int channels, double amplitude)
        : frequency_(frequency), sampleRate_(sampleRate), channels_(channels), amplitude_(amplitude) {}

    // Writes `frames` sample frames (every channel the same value) and moves the phase on.
    void Fill(int16_t* out, size_t frames);
    void Restart() { position_ = 0; }

  private:
    double frequency_;
    int sampleRate_;
    int channels_;
    double amplitude_;
    uint64_t position_ = 0;  // sample frames since the start
};

}  // namespace testcam
