// Hands single frames from a streaming thread to the window thread without a shared lock.
//
// The window thread arms a grab (Arm); the streaming thread offers every frame (Offer) and the
// first one after arming is copied into the buffer that is not published, then published. The
// window thread reads the published buffer after it has been told. Because a new grab needs a
// new Arm on the window thread, the buffer being read is never the one being written.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace pelutil {

class FrameHandoff {
  public:
    // Window thread, while no graph runs: size of the frames (24-bit, width * 3 bytes a row).
    void SetSize(int width, int height);
    // Window thread: the next offered frame is taken. False while a grab is still pending.
    bool Arm();
    // Streaming thread: `rowStride` is the source's bytes per row (DIB rows are padded to four
    // bytes). True when the frame was taken and the window thread should be told.
    bool Offer(const uint8_t* data, size_t length, size_t rowStride);
    bool Offer(const uint8_t* data, size_t length) { return Offer(data, length, PaddedStride()); }

    // Window thread, after being told: the newest grabbed frame, rows in the source's order.
    const uint8_t* Frame() const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    size_t PaddedStride() const { return (static_cast<size_t>(width_) * 3 + 3) & ~static_cast<size_t>(3); }

  private:
    enum State : int { kIdle, kArmed, kCopying };
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> buffers_[2];
    std::atomic<int> published_{0};
    std::atomic<int> state_{kIdle};
};

}  // namespace pelutil
