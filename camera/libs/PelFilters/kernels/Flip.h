#pragma once

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"
#include "simd/SimdLevel.h"

namespace pel {

// Turns the picture upside down, in place.
void FlipVertical(const Rgb24Frame& frame);

// Mirrors the picture left to right, in place. Every SIMD level writes the same bytes.
void MirrorHorizontal(const Rgb24Frame& frame, SimdLevel level = DetectedSimdLevel());

// Both at once (a half turn), in one pass over the rows.
void TurnHalfway(const Rgb24Frame& frame, SimdLevel level = DetectedSimdLevel());

}  // namespace pel
