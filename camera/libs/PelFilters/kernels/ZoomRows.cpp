#include "camera/libs/PelFilters/kernels/ZoomRows.h"

#include <algorithm>

#include "simd/SimdLevel.h"

#if defined(PROJECT_X86_SIMD)
#include <emmintrin.h>
#include <tmmintrin.h>
#endif

namespace pel::zoomrows {

namespace {

inline std::uint8_t BlendByte(std::uint32_t first, std::uint32_t second, std::uint32_t weight) {
    return static_cast<std::uint8_t>((first * (256 - weight) + second * weight + 128) >> 8);
}

#if defined(PROJECT_X86_SIMD)
// Eight 16-bit lanes: the sum stays below 2^16 (255 x 256 + 128), so 16-bit products are exact.
__attribute__((target("sse2"))) inline __m128i BlendHalf(__m128i first, __m128i second, __m128i firstWeight,
                                                         __m128i secondWeight) {
    const __m128i sum = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(first, firstWeight), _mm_mullo_epi16(second, secondWeight)),
        _mm_set1_epi16(128));
    return _mm_srli_epi16(sum, 8);
}
#endif

}  // namespace

#if defined(PROJECT_X86_SIMD)
__attribute__((target("sse2"))) void BlendRunSse2(const std::uint8_t* first, const std::uint8_t* second,
                                                  std::uint8_t* out, std::size_t count,
                                                  std::uint32_t weight) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i w1 = _mm_set1_epi16(static_cast<short>(256 - weight));
    const __m128i w2 = _mm_set1_epi16(static_cast<short>(weight));
    std::size_t i = 0;
    for (; i + 16 <= count; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(second + i));
        const __m128i low = BlendHalf(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), w1, w2);
        const __m128i high = BlendHalf(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), w1, w2);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(low, high));
    }
    for (; i < count; ++i) out[i] = BlendByte(first[i], second[i], weight);
}

__attribute__((target("ssse3"))) void WidenRowSsse3(const std::uint8_t* source, std::uint8_t* out,
                                                    const std::vector<ShuffleBlock>& blocks,
                                                    const std::vector<ByteTap>& taps) {
    const __m128i zero = _mm_setzero_si128();
    std::size_t o = 0;
    for (const ShuffleBlock& block : blocks) {
        if (block.base == kNoBlock) {
            for (std::size_t i = o; i < o + 16; ++i)
                out[i] = BlendByte(source[taps[i].first], source[taps[i].second], taps[i].weight);
        } else {
            const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + block.base));
            const __m128i a =
                _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(block.first)));
            const __m128i b =
                _mm_shuffle_epi8(window, _mm_loadu_si128(reinterpret_cast<const __m128i*>(block.second)));
            const auto* w1 = reinterpret_cast<const __m128i*>(block.firstWeight);
            const auto* w2 = reinterpret_cast<const __m128i*>(block.secondWeight);
            const __m128i low = BlendHalf(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero),
                                          _mm_loadu_si128(w1), _mm_loadu_si128(w2));
            const __m128i high = BlendHalf(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero),
                                           _mm_loadu_si128(w1 + 1), _mm_loadu_si128(w2 + 1));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + o), _mm_packus_epi16(low, high));
        }
        o += 16;
    }
    for (; o < taps.size(); ++o)
        out[o] = BlendByte(source[taps[o].first], source[taps[o].second], taps[o].weight);
}
#else
void BlendRunSse2(const std::uint8_t* first, const std::uint8_t* second, std::uint8_t* out, std::size_t count,
                  std::uint32_t weight) {
    for (std::size_t i = 0; i < count; ++i) out[i] = BlendByte(first[i], second[i], weight);
}

void WidenRowSsse3(const std::uint8_t* source, std::uint8_t* out, const std::vector<ShuffleBlock>&,
                   const std::vector<ByteTap>& taps) {
    for (std::size_t o = 0; o < taps.size(); ++o)
        out[o] = BlendByte(source[taps[o].first], source[taps[o].second], taps[o].weight);
}
#endif

std::vector<ShuffleBlock> PlanShuffleBlocks(const std::vector<ByteTap>& taps, std::size_t sourceBytes) {
    std::vector<ShuffleBlock> blocks;
    for (std::size_t o = 0; o + 16 <= taps.size(); o += 16) {
        ShuffleBlock block{};
        std::uint32_t low = taps[o].first, high = 0;
        for (std::size_t i = o; i < o + 16; ++i) {
            low = std::min({low, taps[i].first, taps[i].second});
            high = std::max({high, taps[i].first, taps[i].second});
        }
        // The load must stay inside the source row; move it back from the row's end if need be.
        std::uint32_t base = low;
        if (sourceBytes >= 16 && base + 16 > sourceBytes) base = static_cast<std::uint32_t>(sourceBytes - 16);
        if (sourceBytes < 16 || base > low || high >= base + 16) {
            block.base = kNoBlock;
        } else {
            block.base = base;
            for (std::size_t i = 0; i < 16; ++i) {
                const ByteTap& tap = taps[o + i];
                block.first[i] = static_cast<std::uint8_t>(tap.first - base);
                block.second[i] = static_cast<std::uint8_t>(tap.second - base);
                block.firstWeight[i] = static_cast<std::uint16_t>(256 - tap.weight);
                block.secondWeight[i] = static_cast<std::uint16_t>(tap.weight);
            }
        }
        blocks.push_back(block);
    }
    return blocks;
}

}  // namespace pel::zoomrows
