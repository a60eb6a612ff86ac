#include "monitor/libs/YsDetector/MotionKernels.h"

#if defined(PROJECT_X86_SIMD)
#include <tmmintrin.h>

namespace ysd {

namespace {

// Byte shuffles that gather channel c of 16 BGR pixels (48 bytes) from the k-th 16-byte part.
struct Deinterleave {
    alignas(16) std::int8_t mask[3][3][16];
    Deinterleave() {
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < 3; ++k)
                for (int slot = 0; slot < 16; ++slot) {
                    const int index = 3 * slot + c;
                    mask[c][k][slot] = static_cast<std::int8_t>(index / 16 == k ? index % 16 : -1);
                }
    }
};

__attribute__((target("ssse3"))) inline __m128i Channel(const Deinterleave& d, int c, __m128i p0, __m128i p1,
                                                        __m128i p2) {
    const auto* m = reinterpret_cast<const __m128i*>(d.mask[c]);
    return _mm_or_si128(
        _mm_or_si128(_mm_shuffle_epi8(p0, _mm_load_si128(m)), _mm_shuffle_epi8(p1, _mm_load_si128(m + 1))),
        _mm_shuffle_epi8(p2, _mm_load_si128(m + 2)));
}

// Eight pixels of one half: (b x 29 + g x 150 + r x 77 + 128) >> 8, below 2^16 in 16-bit lanes.
__attribute__((target("ssse3"))) inline __m128i Luma8(__m128i b, __m128i g, __m128i r) {
    const __m128i sum = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(b, _mm_set1_epi16(29)), _mm_mullo_epi16(g, _mm_set1_epi16(150))),
        _mm_add_epi16(_mm_mullo_epi16(r, _mm_set1_epi16(77)), _mm_set1_epi16(128)));
    return _mm_srli_epi16(sum, 8);
}

// Eight pixels against their background: the mask words (0 or -1), the background updated in place,
// the differences added to `sums`. The new background bg + ((y << 8) - bg) >> 5, floored, equals
// bg + (y << 3) - ceil(bg / 32), and lies between bg and y << 8, so 16-bit arithmetic is exact.
__attribute__((target("ssse3"))) inline __m128i Compare8(__m128i luma, std::uint16_t* background,
                                                         __m128i offset, __m128i threshold, __m128i& sums) {
    const __m128i bg = _mm_loadu_si128(reinterpret_cast<const __m128i*>(background));
    const __m128i diff = _mm_sub_epi16(luma, _mm_srli_epi16(bg, 8));
    sums = _mm_add_epi32(sums, _mm_madd_epi16(diff, _mm_set1_epi16(1)));
    const __m128i change = _mm_abs_epi16(_mm_sub_epi16(diff, offset));
    const __m128i ceiling = _mm_add_epi16(
        _mm_srli_epi16(bg, 5), _mm_min_epi16(_mm_and_si128(bg, _mm_set1_epi16(31)), _mm_set1_epi16(1)));
    const __m128i updated = _mm_sub_epi16(_mm_add_epi16(bg, _mm_slli_epi16(luma, 3)), ceiling);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(background), updated);
    return _mm_cmpgt_epi16(change, threshold);
}

}  // namespace

__attribute__((target("ssse3"))) int64_t DifferenceRowSsse3(const uint8_t* bgr, uint16_t* background,
                                                            uint8_t* mask, int width, int offset,
                                                            int threshold) {
    static const Deinterleave deinterleave;
    const __m128i zero = _mm_setzero_si128();
    const __m128i offsetWords = _mm_set1_epi16(static_cast<short>(offset));
    const __m128i thresholdWords = _mm_set1_epi16(static_cast<short>(threshold));
    __m128i sums = zero;
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const uint8_t* p = bgr + 3 * static_cast<size_t>(x);
        const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
        const __m128i p2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
        const __m128i b = Channel(deinterleave, 0, p0, p1, p2);
        const __m128i g = Channel(deinterleave, 1, p0, p1, p2);
        const __m128i r = Channel(deinterleave, 2, p0, p1, p2);
        const __m128i low =
            Luma8(_mm_unpacklo_epi8(b, zero), _mm_unpacklo_epi8(g, zero), _mm_unpacklo_epi8(r, zero));
        const __m128i high =
            Luma8(_mm_unpackhi_epi8(b, zero), _mm_unpackhi_epi8(g, zero), _mm_unpackhi_epi8(r, zero));
        const __m128i maskLow = Compare8(low, background + x, offsetWords, thresholdWords, sums);
        const __m128i maskHigh = Compare8(high, background + x + 8, offsetWords, thresholdWords, sums);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(mask + x), _mm_packs_epi16(maskLow, maskHigh));
    }
    alignas(16) std::int32_t lanes[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(lanes), sums);
    int64_t sum = static_cast<int64_t>(lanes[0]) + lanes[1] + lanes[2] + lanes[3];
    if (x < width)
        sum += DifferenceRow(bgr + 3 * static_cast<size_t>(x), background + x, mask + x, width - x, offset,
                             threshold, SimdLevel::Plain);
    return sum;
}

}  // namespace ysd

#endif
