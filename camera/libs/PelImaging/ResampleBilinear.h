#pragma once

#include <cstdint>

#include "simd/SimdLevel.h"

// Bilinear scaling of packed pixels (rows of width x Bytes bytes, no padding), shared by photos
// (3 bytes a pixel, B G R) and photo frames (4 bytes a pixel). Destination pixel (0, 0) is source
// pixel (0, 0); the scales are single-precision floats, the four weights integers out of 1024.
// The result matches, byte for byte, the plain per-pixel form of the algorithm:
//   fy = y * scaleY, iy = (int)fy, v = fy - iy, iy clamped to height - 2 (v kept),
//   the same for x, weights (1-u)(1-v), (1-u)v, u(1-v), uv times 1024 truncated,
//   every byte = weighted sum >> 10; the last destination row/column reuses the upper/left pixels.
// A source one pixel wide or high is read only inside its bounds (its single column or row stands
// in for the missing neighbour). Nothing happens for null buffers or sizes below 1. Every SIMD
// level gives the same bytes.
//
// Bytes is 3 or 4.
template <int Bytes>
void ResampleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, int destinationWidth,
                      int destinationHeight, std::uint8_t* destination,
                      SimdLevel level = DetectedSimdLevel());

extern template void ResampleBilinear<3>(const std::uint8_t*, int, int, int, int, std::uint8_t*, SimdLevel);
extern template void ResampleBilinear<4>(const std::uint8_t*, int, int, int, int, std::uint8_t*, SimdLevel);
