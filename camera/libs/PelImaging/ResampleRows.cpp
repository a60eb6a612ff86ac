#include "camera/libs/PelImaging/ResampleRows.h"

#include <cstring>

#include "simd/SimdLevel.h"

#if defined(PROJECT_X86_SIMD)
#include <emmintrin.h>
#include <tmmintrin.h>

namespace {

#define SSE2_ATTR __attribute__((target("sse2")))

// The weights of four columns as (upper, lower) 16-bit pairs, for the left and the right pixels.
struct FourWeights {
    __m128i left;
    __m128i right;
};

SSE2_ATTR inline FourWeights WeightsAt(const ResampleRowJob& job, std::size_t x) {
    const __m128 oneMinusU = _mm_loadu_ps(job.columnOneMinusU + x);
    const __m128 u = _mm_loadu_ps(job.columnU + x);
    const __m128 oneMinusV = _mm_set1_ps(job.oneMinusV1024);
    const __m128 v = _mm_set1_ps(job.v1024);
    const __m128i upperLeft = _mm_cvttps_epi32(_mm_mul_ps(oneMinusU, oneMinusV));
    const __m128i lowerLeft = _mm_cvttps_epi32(_mm_mul_ps(oneMinusU, v));
    const __m128i upperRight = _mm_cvttps_epi32(_mm_mul_ps(u, oneMinusV));
    const __m128i lowerRight = _mm_cvttps_epi32(_mm_mul_ps(u, v));
    return FourWeights{_mm_or_si128(upperLeft, _mm_slli_epi32(lowerLeft, 16)),
                       _mm_or_si128(upperRight, _mm_slli_epi32(lowerRight, 16))};
}

// Four channels of one pixel: multiply-add of the (upper, lower) pairs with the weight pairs.
template <int Lane>
SSE2_ATTR inline __m128i PixelSum(const ResampleRowJob& job, std::size_t x, const FourWeights& w) {
    const __m128i left = _mm_loadu_si128(reinterpret_cast<const __m128i*>(job.rowPair + job.leftOffset[x]));
    const __m128i right = _mm_loadu_si128(reinterpret_cast<const __m128i*>(job.rowPair + job.rightOffset[x]));
    constexpr int broadcast = Lane * 0x55;
    const __m128i sum = _mm_add_epi32(_mm_madd_epi16(left, _mm_shuffle_epi32(w.left, broadcast)),
                                      _mm_madd_epi16(right, _mm_shuffle_epi32(w.right, broadcast)));
    return _mm_srli_epi32(sum, 10);
}

// Four pixels from x on as 16 bytes, 4 a pixel (with 3 bytes a pixel the fourth is spare).
SSE2_ATTR inline __m128i FourPixels(const ResampleRowJob& job, std::size_t x) {
    const FourWeights w = WeightsAt(job, x);
    const __m128i first = _mm_packs_epi32(PixelSum<0>(job, x, w), PixelSum<1>(job, x + 1, w));
    const __m128i second = _mm_packs_epi32(PixelSum<2>(job, x + 2, w), PixelSum<3>(job, x + 3, w));
    return _mm_packus_epi16(first, second);
}

// The pixels the groups of four leave over, one by one (weights of the row's last four columns).
template <int Bytes>
SSE2_ATTR void RemainingPixels(const ResampleRowJob& job, std::size_t x) {
    if (x >= job.width) return;
    std::uint8_t pixels[16];
    if (job.width >= 4) {
        const std::size_t start = job.width - 4;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), FourPixels(job, start));
        for (; x < job.width; ++x) std::memcpy(job.out + x * Bytes, pixels + (x - start) * 4, Bytes);
        return;
    }
    // Rows under four pixels: pad the column tables to four.
    std::int32_t left[4], right[4];
    float u[4], oneMinusU[4];
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t c = i < job.width ? i : job.width - 1;
        left[i] = job.leftOffset[c];
        right[i] = job.rightOffset[c];
        u[i] = job.columnU[c];
        oneMinusU[i] = job.columnOneMinusU[c];
    }
    ResampleRowJob padded = job;
    padded.leftOffset = left;
    padded.rightOffset = right;
    padded.columnU = u;
    padded.columnOneMinusU = oneMinusU;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), FourPixels(padded, 0));
    for (; x < job.width; ++x) std::memcpy(job.out + x * Bytes, pixels + x * 4, Bytes);
}

}  // namespace

template <int Bytes>
SSE2_ATTR void ResampleRowSse2(const ResampleRowJob& row) {
    const ResampleRowJob job = row;  // a local copy: the stores below cannot change it
    std::size_t x = 0;
    for (; x + 4 <= job.width; x += 4) {
        std::uint8_t pixels[16];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), FourPixels(job, x));
        for (int i = 0; i < 4; ++i) std::memcpy(job.out + (x + i) * Bytes, pixels + i * 4, Bytes);
    }
    RemainingPixels<Bytes>(job, x);
}

namespace {

// 3 bytes a pixel: the spare fourth bytes squeezed out, the 12 bytes of four pixels at the front.
__attribute__((target("ssse3"))) void ThreeByteRowSsse3(const ResampleRowJob& row) {
    const ResampleRowJob job = row;  // a local copy: the stores below cannot change it
    const __m128i squeeze = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const std::size_t rowBytes = job.width * 3;
    std::size_t x = 0;
    for (; x + 4 <= job.width; x += 4) {
        const __m128i pixels = _mm_shuffle_epi8(FourPixels(job, x), squeeze);
        std::uint8_t* to = job.out + x * 3;
        if (x * 3 + 16 <= rowBytes) {  // the 4 bytes behind belong to the next pixels
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), pixels);
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to), pixels);
            const std::int32_t last = _mm_cvtsi128_si32(_mm_srli_si128(pixels, 8));
            std::memcpy(to + 8, &last, 4);
        }
    }
    RemainingPixels<3>(job, x);
}

// 4 bytes a pixel need no squeeze: one store for four pixels.
SSE2_ATTR void FourByteRow(const ResampleRowJob& row) {
    const ResampleRowJob job = row;  // a local copy: the stores below cannot change it
    std::size_t x = 0;
    for (; x + 4 <= job.width; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(job.out + x * 4), FourPixels(job, x));
    RemainingPixels<4>(job, x);
}

}  // namespace

template <>
void ResampleRowSsse3<3>(const ResampleRowJob& job) {
    ThreeByteRowSsse3(job);
}

template <>
void ResampleRowSsse3<4>(const ResampleRowJob& job) {
    FourByteRow(job);
}

template void ResampleRowSse2<3>(const ResampleRowJob&);
template void ResampleRowSse2<4>(const ResampleRowJob&);

#endif
