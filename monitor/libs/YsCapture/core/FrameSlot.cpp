#include "monitor/libs/YsCapture/core/FrameSlot.h"

#include <utility>

namespace yscap {

void FrameSlot::Reset(size_t frameBytes) {
    std::lock_guard<std::mutex> hold(lock_);
    for (auto& b : buffers_) b.assign(frameBytes, 0);
    bytes_ = frameBytes;
    producer_ = 0;
    ready_ = 1;
    front_ = 2;
    fresh_ = false;
    published_ = 0;
}

void FrameSlot::Publish() {
    std::lock_guard<std::mutex> hold(lock_);
    std::swap(producer_, ready_);
    fresh_ = true;
    ++published_;
}

bool FrameSlot::TakeNewest() {
    std::unique_lock<std::mutex> hold(lock_, std::try_to_lock);
    if (!hold.owns_lock() || !fresh_) return false;
    std::swap(ready_, front_);
    fresh_ = false;
    return true;
}

uint64_t FrameSlot::Published() const {
    std::lock_guard<std::mutex> hold(lock_);
    return published_;
}

}  // namespace yscap
