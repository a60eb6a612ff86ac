#include "camera/libs/PelFilters/kernels/Flip.h"

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

namespace {

// Writes the pixels of `from` (a row with a spare byte behind it) into `to` in reverse order. Each
// pixel moves as one 4-byte load and store; the store's fourth byte is overwritten by the next
// pixel, and the last pixel is written with 3 bytes so the row's padding stays intact.
void ReversePixels(const std::uint8_t* from, std::uint8_t* to, int width) {
    const std::uint8_t* source = from + (width - 1) * 3;
    for (int x = 0; x < width - 1; ++x, source -= 3, to += 3) {
        std::uint32_t pixel;
        std::memcpy(&pixel, source, 4);
        std::memcpy(to, &pixel, 4);
    }
    std::memcpy(to, source, 3);
}

}  // namespace

void MirrorHorizontal(const Rgb24Frame& frame) {
    if (!frame.Valid()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<std::uint8_t> copy(rowBytes + 1);
    for (int y = 0; y < frame.height; ++y) {
        std::uint8_t* row = frame.bits + static_cast<std::ptrdiff_t>(y) * frame.stride;
        std::memcpy(copy.data(), row, rowBytes);
        ReversePixels(copy.data(), row, frame.width);
    }
}

void TurnHalfway(const Rgb24Frame& frame) {
    if (!frame.Valid()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<std::uint8_t> top(rowBytes + 1), bottom(rowBytes + 1);
    for (int a = 0, b = frame.height - 1; a <= b; ++a, --b) {
        std::uint8_t* rowA = frame.bits + static_cast<std::ptrdiff_t>(a) * frame.stride;
        std::uint8_t* rowB = frame.bits + static_cast<std::ptrdiff_t>(b) * frame.stride;
        std::memcpy(top.data(), rowA, rowBytes);
        std::memcpy(bottom.data(), rowB, rowBytes);
        ReversePixels(bottom.data(), rowA, frame.width);
        if (a != b) ReversePixels(top.data(), rowB, frame.width);
    }
}

}  // namespace pel
