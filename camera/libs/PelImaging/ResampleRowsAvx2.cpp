#include "camera/libs/PelImaging/ResampleRows.h"
#include "simd/SimdLevel.h"

#if defined(PROJECT_X86_SIMD)
#include <immintrin.h>

namespace {

#define AVX2_ATTR __attribute__((target("avx2")))

// Pixels x + I (low half) and x + 4 + I (high half): four channels each, as in the SSE2 form. The
// right pixel is the left one's neighbour, `bytes` words on (every column but the last).
template <int I>
AVX2_ATTR inline __m256i PixelPair(const ResampleRowJob& job, std::size_t x, int bytes, __m256i left,
                                   __m256i right) {
    const std::uint32_t* low = job.rowPair + job.leftOffset[x + I];
    const std::uint32_t* high = job.rowPair + job.leftOffset[x + 4 + I];
    const auto load = [](const std::uint32_t* p) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    };
    const __m256i leftPixels = _mm256_inserti128_si256(_mm256_castsi128_si256(load(low)), load(high), 1);
    const __m256i rightPixels =
        _mm256_inserti128_si256(_mm256_castsi128_si256(load(low + bytes)), load(high + bytes), 1);
    const __m256i sum =
        _mm256_add_epi32(_mm256_madd_epi16(leftPixels, _mm256_shuffle_epi32(left, I * 0x55)),
                         _mm256_madd_epi16(rightPixels, _mm256_shuffle_epi32(right, I * 0x55)));
    return _mm256_srli_epi32(sum, 10);
}

// Eight pixels from x on, 4 bytes each, in order.
AVX2_ATTR inline __m256i EightPixels(const ResampleRowJob& job, std::size_t x, int bytes) {
    const __m256 oneMinusU = _mm256_loadu_ps(job.columnOneMinusU + x);
    const __m256 u = _mm256_loadu_ps(job.columnU + x);
    const __m256 oneMinusV = _mm256_set1_ps(job.oneMinusV1024);
    const __m256 v = _mm256_set1_ps(job.v1024);
    const __m256i left =
        _mm256_or_si256(_mm256_cvttps_epi32(_mm256_mul_ps(oneMinusU, oneMinusV)),
                        _mm256_slli_epi32(_mm256_cvttps_epi32(_mm256_mul_ps(oneMinusU, v)), 16));
    const __m256i right = _mm256_or_si256(_mm256_cvttps_epi32(_mm256_mul_ps(u, oneMinusV)),
                                          _mm256_slli_epi32(_mm256_cvttps_epi32(_mm256_mul_ps(u, v)), 16));
    // Packing stays within each half: x..x+3 below, x+4..x+7 above.
    const __m256i first = _mm256_packs_epi32(PixelPair<0>(job, x, bytes, left, right),
                                             PixelPair<1>(job, x, bytes, left, right));
    const __m256i second = _mm256_packs_epi32(PixelPair<2>(job, x, bytes, left, right),
                                              PixelPair<3>(job, x, bytes, left, right));
    return _mm256_packus_epi16(first, second);
}

// Bytes is 3 or 4 (a run-time argument: GCC does not carry target attributes onto templates).
AVX2_ATTR void Avx2Row(const ResampleRowJob& row, int Bytes) {
    const ResampleRowJob job = row;  // a local copy: the stores below cannot change it
    const __m256i squeeze = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2,
                                             4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i together = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    const std::size_t rowBytes = job.width * Bytes;
    // Neighbouring source pixels on the right everywhere but in the last column, unless the source
    // is one pixel wide; those columns go to the SSSE3 form.
    const bool neighbours = job.width >= 2 && job.rightOffset[0] == job.leftOffset[0] + Bytes;
    const std::size_t end = neighbours ? job.width - 1 : 0;
    std::size_t x = 0;
    for (; x + 8 <= end; x += 8) {
        __m256i pixels = EightPixels(job, x, Bytes);
        std::uint8_t* to = job.out + x * Bytes;
        if (Bytes == 4) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), pixels);
            continue;
        }
        // 3 bytes a pixel: the spare bytes squeezed out, both halves' 12 bytes side by side.
        pixels = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(pixels, squeeze), together);
        if (x * 3 + 32 <= rowBytes) {  // the 8 bytes behind belong to the next pixels
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), pixels);
        } else {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm256_castsi256_si128(pixels));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 16), _mm256_extracti128_si256(pixels, 1));
        }
    }
    if (x == job.width) return;
    ResampleRowJob rest = job;
    rest.leftOffset += x;
    rest.rightOffset += x;
    rest.columnU += x;
    rest.columnOneMinusU += x;
    rest.width -= x;
    rest.out += x * Bytes;
    if (Bytes == 3)
        ResampleRowSsse3<3>(rest);
    else
        ResampleRowSsse3<4>(rest);
}

}  // namespace

template <>
void ResampleRowAvx2<3>(const ResampleRowJob& job) {
    Avx2Row(job, 3);
}

template <>
void ResampleRowAvx2<4>(const ResampleRowJob& job) {
    Avx2Row(job, 4);
}

#endif
