#pragma once

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"

namespace pel {

// Mosaic: the picture is cut into squares of blockWidth x blockWidth pixels from its top-left corner
// (the squares on the right and bottom edges are cut short) and each square is filled with the mean
// colour of its pixels. A block width of 0 or 1 leaves the picture as it is; widths above
// kMaxMosaicWidth act as that width.
constexpr int kMaxMosaicWidth = 256;
void ApplyMosaic(const Rgb24Frame& frame, int blockWidth);

}  // namespace pel
