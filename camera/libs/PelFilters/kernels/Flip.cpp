#include "camera/libs/PelFilters/kernels/Flip.h"

#include <cstring>
#include <vector>

#if defined(PROJECT_X86_SIMD)
#include <tmmintrin.h>
#endif

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

#if defined(PROJECT_X86_SIMD)
// Five pixels (15 bytes) at a time from the end of `from` by one byte shuffle; each 16-byte store's
// last byte is overwritten by the next five pixels, and the plain loop writes the last ones.
__attribute__((target("ssse3"))) void ReversePixelsSsse3(const std::uint8_t* from, std::uint8_t* to,
                                                         int width) {
    const __m128i reverse = _mm_setr_epi8(12, 13, 14, 9, 10, 11, 6, 7, 8, 3, 4, 5, 0, 1, 2, -1);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    int done = 0;
    for (; static_cast<std::size_t>(done) * 3 + 16 <= rowBytes; done += 5, to += 15) {
        const __m128i five = _mm_loadu_si128(
            reinterpret_cast<const __m128i*>(from + static_cast<std::size_t>(width - done - 5) * 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_shuffle_epi8(five, reverse));
    }
    if (done < width) ReversePixels(from, to, width - done);
}
#endif

void Reverse(const std::uint8_t* from, std::uint8_t* to, int width, SimdLevel level) {
#if defined(PROJECT_X86_SIMD)
    if (level >= SimdLevel::Ssse3) return ReversePixelsSsse3(from, to, width);
#endif
    ReversePixels(from, to, width);
}

}  // namespace

void MirrorHorizontal(const Rgb24Frame& frame, SimdLevel level) {
    if (!frame.Valid()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<std::uint8_t> copy(rowBytes + 1);
    for (int y = 0; y < frame.height; ++y) {
        std::uint8_t* row = frame.bits + static_cast<std::ptrdiff_t>(y) * frame.stride;
        std::memcpy(copy.data(), row, rowBytes);
        Reverse(copy.data(), row, frame.width, level);
    }
}

void TurnHalfway(const Rgb24Frame& frame, SimdLevel level) {
    if (!frame.Valid()) return;
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    std::vector<std::uint8_t> top(rowBytes + 1), bottom(rowBytes + 1);
    for (int a = 0, b = frame.height - 1; a <= b; ++a, --b) {
        std::uint8_t* rowA = frame.bits + static_cast<std::ptrdiff_t>(a) * frame.stride;
        std::uint8_t* rowB = frame.bits + static_cast<std::ptrdiff_t>(b) * frame.stride;
        std::memcpy(top.data(), rowA, rowBytes);
        std::memcpy(bottom.data(), rowB, rowBytes);
        Reverse(bottom.data(), rowA, frame.width, level);
        if (a != b) Reverse(top.data(), rowB, frame.width, level);
    }
}

}  // namespace pel
