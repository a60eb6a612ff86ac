// One box around a connected moving region.
#pragma once

#include <cstdint>

// Picture coordinates with row 0 at the top of the picture (the last row of the bottom-up frame
// buffer) and column 0 at the left; the second bound of each axis is one past the region, so
// bottom - top is the box's height and right - left its width in pixels.
struct MOVBOX {
    int32_t top;
    int32_t bottom;
    int32_t left;
    int32_t right;
};
static_assert(sizeof(MOVBOX) == 16, "four 32-bit bounds");
