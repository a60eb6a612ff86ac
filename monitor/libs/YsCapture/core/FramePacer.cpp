#include "monitor/libs/YsCapture/core/FramePacer.h"

namespace yscap {

int FramePacer::Place(int64_t time) {
    if (!started_) {
        started_ = true;
        origin_ = time;
        next_ = 1;
        return 1;
    }
    const int64_t rel = time - origin_;
    // Nearest slot; times before the origin (a clock reset) count as the next slot.
    int64_t slot = rel >= 0 ? (rel + duration_ / 2) / duration_ : next_;
    if (slot < next_) return 0;
    int64_t advance = slot - next_ + 1;
    if (advance > maxRepeat_ + 1) {
        // Too far: re-anchor the grid instead of writing a long run of repeats.
        advance = 1;
        origin_ = time - next_ * duration_;
    }
    next_ += advance;
    return int(advance);
}

}  // namespace yscap
