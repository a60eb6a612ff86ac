#include "monitor/libs/YsProcess/Zoom.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(PROJECT_X86_SIMD)
#include <tmmintrin.h>
#endif

namespace ysp {

namespace {

// Doubles one row. Four source pixels (12 bytes, three 32-bit words) become eight output pixels
// (24 bytes, six words), which keeps the loop on whole words instead of single bytes.
void DoubleRow(const uint8_t* src, uint8_t* dst, int width) {
    int x = 0;
    for (; x + 4 <= width; x += 4, src += 12, dst += 24) {
        uint32_t w0, w1, w2;  // b0 g0 r0 b1 | g1 r1 b2 g2 | r2 b3 g3 r3 (little-endian bytes)
        std::memcpy(&w0, src, 4);
        std::memcpy(&w1, src + 4, 4);
        std::memcpy(&w2, src + 8, 4);
        const uint32_t p0 = w0 & 0xFFFFFFu;
        const uint32_t p1 = (w0 >> 24) | ((w1 & 0xFFFFu) << 8);
        const uint32_t p2 = (w1 >> 16) | ((w2 & 0xFFu) << 16);
        const uint32_t p3 = w2 >> 8;
        const uint32_t out[6] = {p0 | (p0 << 24), (p0 >> 8) | (p1 << 16), (p1 >> 16) | (p1 << 8),
                                 p2 | (p2 << 24), (p2 >> 8) | (p3 << 16), (p3 >> 16) | (p3 << 8)};
        std::memcpy(dst, out, sizeof out);
    }
    for (; x < width; ++x, src += 3, dst += 6) {
        dst[0] = dst[3] = src[0];
        dst[1] = dst[4] = src[1];
        dst[2] = dst[5] = src[2];
    }
}

// Copies a finished output chunk to its place. With SSE2 the aligned middle goes out with
// streaming stores: the doubled picture is four times the camera frame and far larger than the
// caches, so writing it past them saves reading every destination line in first.
void PutChunk(uint8_t* out, const uint8_t* chunk, size_t bytes) {
#if defined(__SSE2__)
    size_t head = (16 - (reinterpret_cast<uintptr_t>(out) & 15)) & 15;
    if (head > bytes) head = bytes;
    std::memcpy(out, chunk, head);
    size_t i = head;
    for (; i + 16 <= bytes; i += 16) {
        _mm_stream_si128(reinterpret_cast<__m128i*>(out + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk + i)));
    }
    std::memcpy(out + i, chunk + i, bytes - i);
#else
    std::memcpy(out, chunk, bytes);
#endif
}

#if defined(PROJECT_X86_SIMD)
// Output byte o of a doubled run comes from source byte Index(o); each 16 output bytes of a group
// of eight pixels read one 16-byte window of its 24 source bytes, at 0, 4 and 8.
constexpr int Index(int o) {
    return o / 6 * 3 + o % 3;
}
template <int Part, int Base>
__attribute__((target("ssse3"))) inline __m128i DoubledPart(const uint8_t* group) {
    constexpr int o = Part * 16;
    const __m128i window = _mm_loadu_si128(reinterpret_cast<const __m128i*>(group + Base));
    return _mm_shuffle_epi8(
        window, _mm_setr_epi8(Index(o) - Base, Index(o + 1) - Base, Index(o + 2) - Base, Index(o + 3) - Base,
                              Index(o + 4) - Base, Index(o + 5) - Base, Index(o + 6) - Base,
                              Index(o + 7) - Base, Index(o + 8) - Base, Index(o + 9) - Base,
                              Index(o + 10) - Base, Index(o + 11) - Base, Index(o + 12) - Base,
                              Index(o + 13) - Base, Index(o + 14) - Base, Index(o + 15) - Base));
}

// Both output lines of one source row, eight pixels (three loads, three shuffles) at a time. The
// doubled picture (four times 800 x 600) stays in the caches for the blit that follows.
__attribute__((target("ssse3"))) void DoubleRowSsse3(const uint8_t* src, uint8_t* line0, uint8_t* line1,
                                                     int width) {
    int x = 0;
    for (; x + 8 <= width; x += 8, src += 24, line0 += 48, line1 += 48) {
        const __m128i a = DoubledPart<0, 0>(src), b = DoubledPart<1, 4>(src), c = DoubledPart<2, 8>(src);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line0), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line0 + 16), b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line0 + 32), c);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line1), a);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line1 + 16), b);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(line1 + 32), c);
    }
    const int rest = width - x;
    DoubleRow(src, line0, rest);
    std::memcpy(line1, line0, static_cast<size_t>(rest) * 6);
}
#endif

}  // namespace

void Zoom2xBgr(const uint8_t* src, uint8_t* dst, int width, int height, SimdLevel level) {
    if (!src || !dst || width <= 0 || height <= 0) return;
#if defined(PROJECT_X86_SIMD)
    if (level >= SimdLevel::Ssse3) {
        const size_t srcStride = static_cast<size_t>(width) * 3;
        for (int y = 0; y < height; ++y) {
            uint8_t* out = dst + srcStride * 4 * static_cast<size_t>(y);
            DoubleRowSsse3(src + srcStride * static_cast<size_t>(y), out, out + srcStride * 2, width);
        }
        return;
    }
#endif
    constexpr int kChunkPixels = 512;
    alignas(16) uint8_t chunk[kChunkPixels * 6];
    const size_t srcStride = static_cast<size_t>(width) * 3;
    const size_t dstStride = srcStride * 2;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = src + srcStride * static_cast<size_t>(y);
        uint8_t* out = dst + dstStride * 2 * static_cast<size_t>(y);
        for (int first = 0; first < width; first += kChunkPixels) {
            const int n = width - first < kChunkPixels ? width - first : kChunkPixels;
            DoubleRow(in + 3 * static_cast<size_t>(first), chunk, n);
            const size_t at = 6 * static_cast<size_t>(first);
            PutChunk(out + at, chunk, 6 * static_cast<size_t>(n));
            PutChunk(out + dstStride + at, chunk, 6 * static_cast<size_t>(n));
        }
    }
#if defined(__SSE2__)
    _mm_sfence();  // streaming stores are visible to everyone before the frame is used
#endif
}

}  // namespace ysp
