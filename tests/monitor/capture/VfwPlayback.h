// Plays a recording back through Video for Windows (AVIFile): the platform's own reader.
#pragma once

#include <string>

namespace capture_test {

struct VfwPlayback {
    long videoFrames = 0;
    long audioSamples = -1;  // -1: no audio stream
    std::string error;       // empty when every video frame and the audio could be read
};

VfwPlayback PlayWithVfw(const std::string& path);

}  // namespace capture_test
