#include "camera/photo/ResampleBilinear.h"

#include <cstddef>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Where one destination row or column reads its source: the near index, the far index (the near one
// on the last destination line and for a source one pixel long) and the fraction f kept from before
// the clamp, with 1 - f beside it. Every step is a single-precision operation, as in the plain form.
struct Sample {
    int nearIndex;
    int farIndex;
    float fraction;
    float complement;
};

Sample SampleAt(int destinationIndex, int destinationLength, int sourceLength, float scale) {
    const float position = static_cast<float>(destinationIndex) * scale;
    int index = static_cast<int>(position);
    const float fraction = position - static_cast<float>(index);
    if (index > sourceLength - 2) index = sourceLength - 2;
    if (index < 0) index = 0;  // a source one pixel long has no second line to clamp to
    int far = index + 1;
    if (destinationIndex == destinationLength - 1 || far > sourceLength - 1) far = index;
    return Sample{index, far, fraction, 1.0f - fraction};
}

// Integer weight of one corner: the product of two fractions times 1024, truncated. Scaling the row
// factor by 1024 first gives the same float (a power of two changes only the exponent).
inline std::int32_t Weight(float columnFactor, float rowFactorTimes1024) {
    return static_cast<std::int32_t>(columnFactor * rowFactorTimes1024);
}

// One channel: (upper, lower) byte pairs of the left and right pixel times their weight pairs.
inline std::uint8_t BlendByte(std::uint32_t left, std::uint32_t right, std::uint32_t leftWeight,
                              std::uint32_t rightWeight) {
    const std::uint32_t sum = (left & 0xFFFF) * (leftWeight & 0xFFFF) + (left >> 16) * (leftWeight >> 16) +
                              (right & 0xFFFF) * (rightWeight & 0xFFFF) + (right >> 16) * (rightWeight >> 16);
    return static_cast<std::uint8_t>(sum >> 10);
}

template <int Bytes>
void BlendRow(const std::uint32_t* rowPair, const std::int32_t* leftOffset, const std::int32_t* rightOffset,
              const std::uint32_t* leftWeights, const std::uint32_t* rightWeights, std::size_t width,
              std::uint8_t* out) {
    std::size_t x = 0;
#if defined(__SSE2__)
    // Four channels at once: multiply-add of the 16-bit pairs gives upper * wU + lower * wL per lane.
    // Each pixel is stored as 4 bytes; with 3 bytes a pixel the spare byte is overwritten by the next
    // pixel, so the row's last pixel is left to the plain loop.
    const std::size_t simdEnd = Bytes == 4 ? width : width - 1;
    for (; x < simdEnd; ++x) {
        const __m128i left = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowPair + leftOffset[x]));
        const __m128i right = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowPair + rightOffset[x]));
        __m128i sum = _mm_add_epi32(_mm_madd_epi16(left, _mm_set1_epi32(static_cast<int>(leftWeights[x]))),
                                    _mm_madd_epi16(right, _mm_set1_epi32(static_cast<int>(rightWeights[x]))));
        sum = _mm_srli_epi32(sum, 10);
        sum = _mm_packs_epi32(sum, sum);
        sum = _mm_packus_epi16(sum, sum);
        const std::int32_t packed = _mm_cvtsi128_si32(sum);
        std::memcpy(out + x * Bytes, &packed, 4);
    }
#endif
    for (; x < width; ++x) {
        const std::uint32_t* left = rowPair + leftOffset[x];
        const std::uint32_t* right = rowPair + rightOffset[x];
        for (int c = 0; c < Bytes; ++c)
            out[x * Bytes + c] = BlendByte(left[c], right[c], leftWeights[x], rightWeights[x]);
    }
}

}  // namespace

template <int Bytes>
void ResampleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, int destinationWidth,
                      int destinationHeight, std::uint8_t* destination) {
    static_assert(Bytes == 3 || Bytes == 4, "3 or 4 bytes a pixel");
    if (source == nullptr || destination == nullptr || sourceWidth < 1 || sourceHeight < 1 ||
        destinationWidth < 1 || destinationHeight < 1)
        return;

    const float scaleY = static_cast<float>(sourceHeight) / static_cast<float>(destinationHeight);
    const float scaleX = static_cast<float>(sourceWidth) / static_cast<float>(destinationWidth);
    const std::size_t width = static_cast<std::size_t>(destinationWidth);

    // Per column: byte offsets of the left and right pixels and both factors of u.
    std::vector<std::int32_t> leftOffset(width), rightOffset(width);
    std::vector<float> columnU(width), columnOneMinusU(width);
    for (std::size_t x = 0; x < width; ++x) {
        const Sample s = SampleAt(static_cast<int>(x), destinationWidth, sourceWidth, scaleX);
        leftOffset[x] = s.nearIndex * Bytes;
        rightOffset[x] = s.farIndex * Bytes;
        columnU[x] = s.fraction;
        columnOneMinusU[x] = s.complement;
    }

    // Per row: the weights of every column as two pairs of 16-bit integers (upper, lower) for the
    // left and the right pixel; each pair multiplies a pair (upper byte, lower byte) of the row pair.
    std::vector<std::uint32_t> leftWeights(width), rightWeights(width);
    // Per pair of source rows: every byte of the upper row beside the same byte of the lower row, in
    // one 32-bit word, with slack behind the last pixel for 16-byte loads.
    const std::size_t sourceStride = static_cast<std::size_t>(sourceWidth) * Bytes;
    std::vector<std::uint32_t> rowPair(sourceStride + 4, 0);
    int pairNear = -1, pairFar = -1;

    std::uint8_t* out = destination;
    for (int y = 0; y < destinationHeight; ++y) {
        const Sample row = SampleAt(y, destinationHeight, sourceHeight, scaleY);
        if (row.nearIndex != pairNear || row.farIndex != pairFar) {
            const std::uint8_t* upper = source + static_cast<std::size_t>(row.nearIndex) * sourceStride;
            const std::uint8_t* lower = source + static_cast<std::size_t>(row.farIndex) * sourceStride;
            for (std::size_t i = 0; i < sourceStride; ++i)
                rowPair[i] =
                    static_cast<std::uint32_t>(upper[i]) | (static_cast<std::uint32_t>(lower[i]) << 16);
            pairNear = row.nearIndex;
            pairFar = row.farIndex;
        }
        const float v1024 = row.fraction * 1024.0f;
        const float oneMinusV1024 = row.complement * 1024.0f;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t wUL = static_cast<std::uint32_t>(Weight(columnOneMinusU[x], oneMinusV1024));
            const std::uint32_t wLL = static_cast<std::uint32_t>(Weight(columnOneMinusU[x], v1024));
            const std::uint32_t wUR = static_cast<std::uint32_t>(Weight(columnU[x], oneMinusV1024));
            const std::uint32_t wLR = static_cast<std::uint32_t>(Weight(columnU[x], v1024));
            leftWeights[x] = wUL | (wLL << 16);
            rightWeights[x] = wUR | (wLR << 16);
        }
        BlendRow<Bytes>(rowPair.data(), leftOffset.data(), rightOffset.data(), leftWeights.data(),
                        rightWeights.data(), width, out);
        out += width * Bytes;
    }
}

template void ResampleBilinear<3>(const std::uint8_t*, int, int, int, int, std::uint8_t*);
template void ResampleBilinear<4>(const std::uint8_t*, int, int, int, int, std::uint8_t*);
