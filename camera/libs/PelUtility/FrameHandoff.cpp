#include "camera/libs/PelUtility/FrameHandoff.h"

#include <algorithm>
#include <cstring>

namespace pelutil {

void FrameHandoff::SetSize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    size_t bytes = static_cast<size_t>(width_) * 3 * static_cast<size_t>(height_);
    for (auto& b : buffers_) b.assign(bytes, 0);
    state_.store(kIdle);
}

bool FrameHandoff::Arm() {
    int expected = kIdle;
    return state_.compare_exchange_strong(expected, kArmed);
}

bool FrameHandoff::Offer(const uint8_t* data, size_t length, size_t rowStride) {
    int expected = kArmed;
    if (!state_.compare_exchange_strong(expected, kCopying, std::memory_order_acquire)) return false;
    int target = 1 - published_.load(std::memory_order_relaxed);
    std::vector<uint8_t>& out = buffers_[target];
    const size_t row = static_cast<size_t>(width_) * 3;
    if (data && row) {
        if (rowStride < row) rowStride = row;
        for (size_t y = 0; y < static_cast<size_t>(height_); ++y) {
            size_t from = y * rowStride;
            if (from >= length) break;
            std::memcpy(out.data() + y * row, data + from, std::min(row, length - from));
        }
    }
    published_.store(target, std::memory_order_release);
    state_.store(kIdle, std::memory_order_release);
    return true;
}

const uint8_t* FrameHandoff::Frame() const {
    const std::vector<uint8_t>& b = buffers_[published_.load(std::memory_order_acquire)];
    return b.empty() ? nullptr : b.data();
}

}  // namespace pelutil
