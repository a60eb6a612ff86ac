#include "monitor/libs/YsDetector/MotionKernels.h"

#include <algorithm>
#include <cstddef>

namespace ysd {

// Two passes over chunks of the row: the luminance first (interleaved bytes), then the arithmetic
// on plain arrays, which the compiler can run on several pixels at once.
int64_t DifferenceRow(const uint8_t* bgr, uint16_t* background, uint8_t* mask, int width, int offset,
                      int threshold, SimdLevel level) {
#if defined(PROJECT_X86_SIMD)
    // The vector path works in 16-bit lanes: offsets and thresholds far beyond a byte take the plain one.
    const bool fits = offset >= -1024 && offset <= 1024 && threshold >= -1024 && threshold <= 1024;
    if (level >= SimdLevel::Ssse3 && fits)
        return DifferenceRowSsse3(bgr, background, mask, width, offset, threshold);
#endif
    constexpr int kChunk = 256;
    uint8_t luma[kChunk];
    int32_t sum = 0;  // at most 255 * width per row: fits easily
    for (int first = 0; first < width; first += kChunk) {
        const int n = std::min(kChunk, width - first);
        const uint8_t* px = bgr + 3 * static_cast<size_t>(first);
        for (int i = 0; i < n; ++i) luma[i] = static_cast<uint8_t>(Luma(px + 3 * i));
        uint16_t* bgRow = background + first;
        uint8_t* maskRow = mask + first;
        for (int i = 0; i < n; ++i) {
            const int y = luma[i];
            const int bg = bgRow[i];
            const int diff = y - (bg >> 8);
            sum += diff;
            const int shifted = diff - offset;
            const int change = shifted < 0 ? -shifted : shifted;
            maskRow[i] = change > threshold ? 255 : 0;
            bgRow[i] = static_cast<uint16_t>(bg + (((y << 8) - bg) >> kBackgroundShift));
        }
    }
    return sum;
}

void ResizeView(const uint8_t* src, uint8_t* dst, int width, int height, int x, int y, int viewWidth,
                int viewHeight, int* columnTable) {
    for (int dx = 0; dx < width; ++dx) {
        columnTable[dx] = 3 * (x + static_cast<int>(static_cast<int64_t>(dx) * viewWidth / width));
    }
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int dyTop = 0; dyTop < height; ++dyTop) {
        const int syTop = y + static_cast<int>(static_cast<int64_t>(dyTop) * viewHeight / height);
        const uint8_t* in = src + stride * static_cast<size_t>(height - 1 - syTop);
        uint8_t* out = dst + stride * static_cast<size_t>(height - 1 - dyTop);
        for (int dx = 0; dx < width; ++dx, out += 3) {
            const uint8_t* px = in + columnTable[dx];
            out[0] = px[0];
            out[1] = px[1];
            out[2] = px[2];
        }
    }
}

}  // namespace ysd
