// The test camera's picture: colour bars over a grey ramp (a still background), a dark square
// that moves across it, and a frame counter and clock in a black strip at the bottom.
// Pixels are 24-bit BGR, bottom-up (row 0 is the bottom line), `stride` bytes a row.
#pragma once

#include <cstdint>

namespace testcam {

struct PatternClock {
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Where the moving square is in frame `frame` (top-left corner, top-down coordinates).
struct SquarePosition {
    int x, y, size;
};
SquarePosition MovingSquare(int width, int height, uint32_t frame);

void DrawTestPattern(uint8_t* pixels, int width, int height, int stride, uint32_t frame,
                     const PatternClock& clock);
// Turns `pixels`, holding the pattern of frame `previous` at this size, into frame `frame`: only
// the square and the strip are repainted, a small part of what a full draw writes.
void AdvanceTestPattern(uint8_t* pixels, int width, int height, int stride, uint32_t previous, uint32_t frame,
                        const PatternClock& clock);

// Reads back the counter drawn by DrawTestPattern; -1 when the strip does not hold one.
long ReadFrameCounter(const uint8_t* pixels, int width, int height, int stride);

}  // namespace testcam
