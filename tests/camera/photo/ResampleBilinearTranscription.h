#pragma once

#include <cstdint>

// The resampler written the plain way, one pixel at a time, every step as the algorithm states it.
// Tests and the benchmark hold the fast ResampleBilinear against it. Sources must be at least
// 2 x 2 pixels (this form reads before the source otherwise).
template <int Bytes>
void ResampleBilinearTranscription(const std::uint8_t* src, int srcW, int srcH, int dstW, int dstH,
                                   std::uint8_t* dst) {
    const float scaleY = (float)srcH / (float)dstH;
    const float scaleX = (float)srcW / (float)dstW;
    for (int y = 0; y < dstH; ++y) {
        const float fy = (float)y * scaleY;
        int iy = (int)fy;
        const float v = fy - (float)iy;
        if (iy > srcH - 2) iy = srcH - 2;
        const std::uint8_t* upper = src + iy * srcW * Bytes;
        const std::uint8_t* lower = (y == dstH - 1) ? upper : upper + srcW * Bytes;
        std::uint8_t* out = dst + y * dstW * Bytes;
        for (int x = 0; x < dstW; ++x) {
            const float fx = (float)x * scaleX;
            int ix = (int)fx;
            const float u = fx - (float)ix;
            if (ix > srcW - 2) ix = srcW - 2;
            const std::uint8_t* ul = upper + ix * Bytes;
            const std::uint8_t* ll = lower + ix * Bytes;
            const std::uint8_t* ur = (x == dstW - 1) ? ul : ul + Bytes;
            const std::uint8_t* lr = (x == dstW - 1) ? ll : ll + Bytes;
            const int wUL = (int)((1 - u) * (1 - v) * 1024);
            const int wLL = (int)((1 - u) * v * 1024);
            const int wUR = (int)(u * (1 - v) * 1024);
            const int wLR = (int)(u * v * 1024);
            for (int c = 0; c < Bytes; ++c)
                out[x * Bytes + c] =
                    (std::uint8_t)((ul[c] * wUL + ll[c] * wLL + ur[c] * wUR + lr[c] * wLR) >> 10);
        }
    }
}
