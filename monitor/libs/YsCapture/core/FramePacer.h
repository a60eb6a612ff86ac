// FramePacer: places timestamped camera frames on the fixed frame grid of an AVI stream.
// A frame that lands in an already filled slot is dropped; a gap (frames the camera dropped) is
// filled by repeats so the recording keeps real time.
#pragma once

#include <cstdint>

namespace yscap {

class FramePacer {
  public:
    // frameDuration in 100 ns units; maxRepeat bounds the fill after a long stall or a clock jump.
    explicit FramePacer(int64_t frameDuration, int maxRepeat = 150)
        : duration_(frameDuration > 0 ? frameDuration : 333333), maxRepeat_(maxRepeat) {}

    // How many slots this frame advances: 0 = drop it, 1 = write it, n > 1 = write n - 1 repeats
    // (empty chunks) and then the frame.
    int Place(int64_t time);

    int64_t Slots() const { return next_; }

  private:
    int64_t duration_;
    int maxRepeat_;
    bool started_ = false;
    int64_t origin_ = 0;
    int64_t next_ = 0;  // first slot not yet written
};

}  // namespace yscap
