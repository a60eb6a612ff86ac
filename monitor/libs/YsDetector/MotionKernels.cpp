#include "monitor/libs/YsDetector/MotionKernels.h"

#include <cstdlib>

namespace ysd {

int64_t DifferenceRow(const uint8_t* bgr, uint16_t* background, uint8_t* mask, int width, int offset,
                      int threshold) {
    int32_t sum = 0;  // at most 255 * width per row: fits easily
    for (int x = 0; x < width; ++x) {
        const int luma = Luma(bgr + 3 * x);
        const int bg = background[x];
        const int diff = luma - (bg >> 8);
        sum += diff;
        const int change = std::abs(diff - offset);
        mask[x] = change > threshold ? 255 : 0;
        background[x] = static_cast<uint16_t>(bg + (((luma << 8) - bg) >> kBackgroundShift));
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
