// Pixel work of the motion detector: background differencing and the magnified view.
#pragma once

#include <cstdint>

#include "simd/SimdLevel.h"

namespace ysd {

// Fixed-point luminance of a BGR pixel, 0..255.
inline int Luma(const uint8_t* bgr) {
    return (bgr[0] * 29 + bgr[1] * 150 + bgr[2] * 77 + 128) >> 8;
}

// Background values are luminance in 8.8 fixed point; each frame pulls them 1/32 of the way
// towards the new picture, so the background follows slow changes within a few seconds.
constexpr int kBackgroundShift = 5;

// One frame row against the background: mask[x] = 255 where |luma - background - offset| exceeds
// threshold, else 0; the background row is updated; returns the row's sum of (luma - background)
// (before the update), from which the caller derives the next frame's global offset. Every SIMD
// level gives the same results.
int64_t DifferenceRow(const uint8_t* bgr, uint16_t* background, uint8_t* mask, int width, int offset,
                      int threshold, SimdLevel level = DetectedSimdLevel());
// Sixteen pixels a step; the plain path finishes the row.
int64_t DifferenceRowSsse3(const uint8_t* bgr, uint16_t* background, uint8_t* mask, int width, int offset,
                           int threshold);

// Writes the view of src that starts at picture column x and picture row y (row 0 = top) and is
// viewWidth x viewHeight pixels, stretched over the whole width x height destination (nearest
// pixel). Both buffers are bottom-up BGR of width x height; the view must lie inside the picture.
// columnTable must hold width entries (scratch, filled here).
void ResizeView(const uint8_t* src, uint8_t* dst, int width, int height, int x, int y, int viewWidth,
                int viewHeight, int* columnTable);

}  // namespace ysd
