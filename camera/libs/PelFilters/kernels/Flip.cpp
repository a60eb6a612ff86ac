#include "camera/libs/PelFilters/kernels/Flip.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pel {

void FlipVertical(const Rgb24Frame& frame) {
    if (!frame.Valid()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<std::uint8_t> spare(rowBytes);
    for (int top = 0, bottom = frame.height - 1; top < bottom; ++top, --bottom) {
        std::uint8_t* a = frame.bits + static_cast<std::ptrdiff_t>(top) * frame.stride;
        std::uint8_t* b = frame.bits + static_cast<std::ptrdiff_t>(bottom) * frame.stride;
        std::memcpy(spare.data(), a, rowBytes);
        std::memcpy(a, b, rowBytes);
        std::memcpy(b, spare.data(), rowBytes);
    }
}

void MirrorHorizontal(const Rgb24Frame& frame) {
    if (!frame.Valid()) return;
    for (int y = 0; y < frame.height; ++y) {
        std::uint8_t* left = frame.bits + static_cast<std::ptrdiff_t>(y) * frame.stride;
        std::uint8_t* right = left + (frame.width - 1) * 3;
        for (; left < right; left += 3, right -= 3) {
            std::swap(left[0], right[0]);
            std::swap(left[1], right[1]);
            std::swap(left[2], right[2]);
        }
    }
}

}  // namespace pel
