#include "devices/testcam/ToneGenerator.h"

#include <cmath>

namespace testcam {

void ToneGenerator::Fill(int16_t* out, size_t frames) {
    const double twoPi = 6.283185307179586;
    // The position wraps at whole periods only when the period is a whole number of samples;
    // computing from the absolute position keeps the phase exact either way.
    for (size_t i = 0; i < frames; ++i, ++position_) {
        const double t = static_cast<double>(position_) / sampleRate_;
        const double v = std::sin(twoPi * frequency_ * t) * amplitude_ * 32767.0;
        const auto s = static_cast<int16_t>(std::lround(v));
        for (int c = 0; c < channels_; ++c) *out++ = s;
    }
}

}  // namespace testcam
