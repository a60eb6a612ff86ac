// FrameSlot: hands frames from the streaming thread to the window thread with three buffers.
// The producer fills its own buffer, then swaps it with the shared "ready" buffer under a short lock.
// The consumer swaps "ready" with its front buffer only when a new frame arrived, so taking a frame
// never copies and never waits for the producer: if the lock is busy the frame is taken next time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace yscap {

class FrameSlot {
  public:
    // Allocates the three buffers (zeroed). Not thread-safe: call while no producer runs.
    void Reset(size_t frameBytes);

    // Producer side (one thread).
    uint8_t* ProducerBuffer() { return buffers_[producer_].data(); }
    void Publish();

    // Consumer side (one thread). True when a newer frame than the front one was swapped in.
    bool TakeNewest();
    uint8_t* Front() { return bytes_ ? buffers_[front_].data() : nullptr; }

    // Frames published since Reset (any thread).
    uint64_t Published() const;

  private:
    std::vector<uint8_t> buffers_[3];
    size_t bytes_ = 0;
    int producer_ = 0;
    int ready_ = 1;
    int front_ = 2;
    bool fresh_ = false;  // "ready" holds a frame the consumer has not taken
    uint64_t published_ = 0;
    mutable std::mutex lock_;
};

}  // namespace yscap
