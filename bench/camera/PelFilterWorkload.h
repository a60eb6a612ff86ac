// The pictures and settings the filter benchmarks time: a 640 x 480 RGB24 frame, a photo frame
// like the shipped ones and a long line of large text, and the reversal settings worth timing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/ReversalProcessor.h"
#include "tests/camera/photo/TestImages.h"

namespace pelbench {

constexpr int kWidth = 640, kHeight = 480;

inline std::vector<std::uint8_t> VideoBytes() {
    return NoiseBytes(static_cast<std::size_t>(pel::Rgb24Stride(kWidth)) * kHeight, 7);
}

// B G R A bottom-up: a 40-pixel border, its inner 8 pixels fading, an open middle.
inline std::vector<std::uint8_t> PhotoFrame() {
    std::vector<std::uint8_t> p = NoiseBytes(static_cast<std::size_t>(kWidth) * kHeight * 4, 9);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int edge = std::min(std::min(x, kWidth - 1 - x), std::min(y, kHeight - 1 - y));
            p[(static_cast<std::size_t>(y) * kWidth + x) * 4 + 3] =
                edge < 32   ? 255
                : edge < 40 ? static_cast<std::uint8_t>(255 - (edge - 31) * 28)
                            : 0;
        }
    return p;
}

// A mask of 1 = ink, 600 x 64: a line of text as large as the picture takes.
constexpr int kTextWidth = 600, kTextHeight = 64;
inline std::vector<std::uint8_t> TextMask() {
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(kTextWidth) * kTextHeight);
    for (std::size_t i = 0; i < mask.size(); ++i) mask[i] = (i * 7 % 5) < 2 ? 1 : 0;
    return mask;
}

// Reversal cases by index: what the settings pages can turn on.
constexpr int kReversalCases = 5;
inline const char* ReversalCaseName(int index) {
    static const char* const names[kReversalCases] = {"mirror", "half_turn", "mosaic24", "zoom4", "all_on"};
    return names[index];
}
inline pel::ReversalSettings ReversalCase(int index) {
    pel::ReversalSettings s;
    switch (index) {
        case 0:
            s.horizontal = true;
            break;
        case 1:
            s.vertical = s.horizontal = true;
            break;
        case 2:
            s.mosaicWidth = 24;
            break;
        case 3:
            s.zoom = 4;
            break;
        default:
            s.vertical = s.horizontal = true;
            s.mosaicWidth = 24;
            s.zoom = 4;
            break;
    }
    return s;
}

}  // namespace pelbench
