#include "camera/libs/PelImaging/ResampleBilinear.h"

#include <cstddef>
#include <cstring>
#include <vector>

#include "camera/libs/PelImaging/ResampleRows.h"

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

// The plain form of one row: the four weights of every column, then every byte.
template <int Bytes>
void PlainRow(const ResampleRowJob& job) {
    for (std::size_t x = 0; x < job.width; ++x) {
        const std::uint32_t left =
            static_cast<std::uint32_t>(Weight(job.columnOneMinusU[x], job.oneMinusV1024)) |
            static_cast<std::uint32_t>(Weight(job.columnOneMinusU[x], job.v1024)) << 16;
        const std::uint32_t right = static_cast<std::uint32_t>(Weight(job.columnU[x], job.oneMinusV1024)) |
                                    static_cast<std::uint32_t>(Weight(job.columnU[x], job.v1024)) << 16;
        const std::uint32_t* leftPair = job.rowPair + job.leftOffset[x];
        const std::uint32_t* rightPair = job.rowPair + job.rightOffset[x];
        for (int c = 0; c < Bytes; ++c)
            job.out[x * Bytes + c] = BlendByte(leftPair[c], rightPair[c], left, right);
    }
}

template <int Bytes>
void ResampleRow(const ResampleRowJob& job, SimdLevel level) {
#if defined(PROJECT_X86_SIMD)
    if (level >= SimdLevel::Avx2) return ResampleRowAvx2<Bytes>(job);
    if (level >= SimdLevel::Ssse3) return ResampleRowSsse3<Bytes>(job);
    if (level == SimdLevel::Sse2) return ResampleRowSse2<Bytes>(job);
#endif
    PlainRow<Bytes>(job);
}

}  // namespace

template <int Bytes>
void ResampleBilinear(const std::uint8_t* source, int sourceWidth, int sourceHeight, int destinationWidth,
                      int destinationHeight, std::uint8_t* destination, SimdLevel level) {
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
        const ResampleRowJob job{rowPair.data(),
                                 leftOffset.data(),
                                 rightOffset.data(),
                                 columnU.data(),
                                 columnOneMinusU.data(),
                                 row.fraction * 1024.0f,
                                 row.complement * 1024.0f,
                                 width,
                                 out};
        ResampleRow<Bytes>(job, level);
        out += width * Bytes;
    }
}

template void ResampleBilinear<3>(const std::uint8_t*, int, int, int, int, std::uint8_t*, SimdLevel);
template void ResampleBilinear<4>(const std::uint8_t*, int, int, int, int, std::uint8_t*, SimdLevel);
