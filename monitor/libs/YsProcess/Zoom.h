// Pixel doubling of 24-bit BGR pictures.
#pragma once

#include <cstdint>

#include "simd/SimdLevel.h"

namespace ysp {

// Writes dst at twice the width and height of src: every source pixel becomes a 2 x 2 block.
// Rows are width * 3 bytes (no padding) in src and 2 * width * 3 bytes in dst; row order is kept,
// so a bottom-up source gives a bottom-up destination. src and dst must not overlap. Every SIMD level
// writes the same bytes.
void Zoom2xBgr(const uint8_t* src, uint8_t* dst, int width, int height,
               SimdLevel level = DetectedSimdLevel());

}  // namespace ysp
