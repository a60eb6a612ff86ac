#pragma once

#include <cstddef>
#include <cstdint>

// One destination row of the bilinear resampler, with vector instructions. `rowPair` holds every
// byte of the upper source row beside the same byte of the lower one (upper | lower << 16), with
// 4 words of slack behind it; the offsets count those words. Each weight is the truncated
// single-precision product (column factor x row factor x 1024), so the bytes equal the plain loop's.
struct ResampleRowJob {
    const std::uint32_t* rowPair;
    const std::int32_t* leftOffset;
    const std::int32_t* rightOffset;
    const float* columnU;
    const float* columnOneMinusU;
    float v1024;
    float oneMinusV1024;
    std::size_t width;
    std::uint8_t* out;
};

// Bytes is 3 or 4. The SSE2 form stores pixel by pixel; the SSSE3 form packs four pixels into one
// store.
template <int Bytes>
void ResampleRowSse2(const ResampleRowJob& job);
template <int Bytes>
void ResampleRowSsse3(const ResampleRowJob& job);

// Eight pixels a step in 256-bit registers, two pixels to a register.
template <int Bytes>
void ResampleRowAvx2(const ResampleRowJob& job);
