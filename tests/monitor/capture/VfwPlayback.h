// Plays a recording back through Video for Windows (AVIFile): the platform's own reader.
#pragma once

#include <string>

namespace capture_test {

struct VfwPlayback {
    long videoFrames = 0;
    long audioSamples = -1;  // -1: no audio stream
    std::string error;       // empty when every video frame and the audio could be read
};

// Decodes video frames from the start: all of them, or the first framesToDecode.
VfwPlayback PlayWithVfw(const std::string& path, long framesToDecode = -1);

}  // namespace capture_test
