#include "monitor/imaging/DibRows.h"

#include <cstring>

namespace jpegdib {

namespace {

constexpr size_t kHeaderSize = 40;  // BITMAPINFOHEADER

constexpr uint8_t kWiden5[32] = {0,   16,  24,  32,  40,  48,  56,  64,  72,  80,  88,
                                 96,  104, 112, 120, 128, 136, 144, 152, 160, 168, 176,
                                 184, 192, 200, 208, 216, 224, 232, 240, 248, 255};

inline uint32_t Read32(const uint8_t* p) {
    return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

inline size_t Stride(int width, int bits) {
    return ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
}

inline uint8_t* PutEntry(uint8_t* out, const uint8_t* table, unsigned index) {
    const uint8_t* e = table + 4 * index;  // blue, green, red, reserved
    out[0] = e[2];
    out[1] = e[1];
    out[2] = e[0];
    return out + 3;
}

void Row1(const uint8_t* in, const uint8_t* table, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) out = PutEntry(out, table, (in[x >> 3] >> (7 - (x & 7))) & 1);
}
void Row4(const uint8_t* in, const uint8_t* table, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) out = PutEntry(out, table, (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4);
}
void Row8(const uint8_t* in, const uint8_t* table, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) out = PutEntry(out, table, in[x]);
}
void Row16(const uint8_t* in, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x, in += 2, out += 3) {
        const uint32_t rgb = Expand555(static_cast<uint16_t>(in[0] | (in[1] << 8)));
        out[0] = static_cast<uint8_t>(rgb >> 16);
        out[1] = static_cast<uint8_t>(rgb >> 8);
        out[2] = static_cast<uint8_t>(rgb);
    }
}
// Swapping blue and red is a byte move of +2 or -2 depending on the position modulo 3. Eight bytes
// at a time: three overlapping loads (at -2, 0, +2) masked by position; the masks repeat every
// 24 bytes. The first pixel and the tail go byte by byte so no load leaves the row.
struct SwapMasks {
    uint64_t fromNext[3], keep[3], fromPrevious[3];
};
constexpr SwapMasks MakeSwapMasks() {
    SwapMasks m{};
    for (int j = 0; j < 3; ++j) {
        for (int i = 0; i < 8; ++i) {
            const uint64_t byte = uint64_t{0xFF} << (8 * i);
            const int phase = (8 * j + i) % 3;
            (phase == 0 ? m.fromNext[j] : phase == 1 ? m.keep[j] : m.fromPrevious[j]) |= byte;
        }
    }
    return m;
}
constexpr SwapMasks kSwap = MakeSwapMasks();

inline uint64_t Load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
}

void Row24(const uint8_t* in, int width, uint8_t* out) {
    const size_t n = static_cast<size_t>(width) * 3;
    size_t k = 0;
    if (n >= 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        k = 3;
    }
    for (; k + 26 <= n; k += 24) {
        for (int j = 0; j < 3; ++j) {
            const uint8_t* p = in + k + 8 * j;
            const uint64_t v = (Load64(p) & kSwap.keep[j]) | (Load64(p + 2) & kSwap.fromNext[j]) |
                               (Load64(p - 2) & kSwap.fromPrevious[j]);
            std::memcpy(out + k + 8 * j, &v, 8);
        }
    }
    for (; k < n; k += 3) {
        out[k] = in[k + 2];
        out[k + 1] = in[k + 1];
        out[k + 2] = in[k];
    }
}
void Row32(const uint8_t* in, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

}  // namespace

DibHeader ReadDibHeader(const uint8_t* dib) {
    DibHeader h{};
    h.size = Read32(dib);
    h.width = static_cast<int32_t>(Read32(dib + 4));
    h.height = static_cast<int32_t>(Read32(dib + 8));
    h.bitCount = static_cast<uint16_t>(dib[14] | (dib[15] << 8));
    return h;
}

int DibColourCount(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 ? 1 << bitCount : 0;
}

uint32_t Expand555(uint16_t pixel) {
    return (uint32_t{kWiden5[(pixel >> 10) & 31]} << 16) | (uint32_t{kWiden5[(pixel >> 5) & 31]} << 8) |
           kWiden5[pixel & 31];
}

bool DibToRgbRows(const uint8_t* dib, int rgbRowLength, uint8_t* const* rows, std::string* error) {
    auto fail = [error](const char* text) {
        if (error) *error = text;
        return false;
    };
    if (!dib || !rows || rgbRowLength <= 0) return fail("Invalid input data");
    const DibHeader h = ReadDibHeader(dib);
    const int bits = h.bitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return fail("Invalid bitmap bit count");
    }
    // The rows must take a whole picture row; a shorter row would be written past its end.
    if (h.width <= 0 || h.height <= 0 || static_cast<int64_t>(h.width) * 3 > rgbRowLength) {
        return fail("Invalid input data");
    }
    const uint8_t* table = dib + kHeaderSize;
    const uint8_t* pixels = table + 4 * DibColourCount(bits);
    const size_t stride = Stride(h.width, bits);
    for (int i = 0; i < h.height; ++i) {
        const uint8_t* in = pixels + stride * static_cast<size_t>(h.height - 1 - i);
        uint8_t* out = rows[i];
        switch (bits) {
            case 1:
                Row1(in, table, h.width, out);
                break;
            case 4:
                Row4(in, table, h.width, out);
                break;
            case 8:
                Row8(in, table, h.width, out);
                break;
            case 16:
                Row16(in, h.width, out);
                break;
            case 24:
                Row24(in, h.width, out);
                break;
            default:
                Row32(in, h.width, out);
                break;
        }
    }
    return true;
}

}  // namespace jpegdib
