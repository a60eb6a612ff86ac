#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A photo frame read from an Effects bitmap: 4 bytes a pixel (B, G, R, A), rows bottom-up as in the
// file, width x height x 4 bytes.
struct FrameBitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

enum class FrameBitmapStatus {
    Ok,
    TooShort,           // smaller than the two headers
    NotABitmap,         // no "BM" signature
    UnsupportedHeader,  // unknown info header size, or pixel offset outside the file
    NotThirtyTwoBits,   // other depth or plane count
    UnsupportedLayout,  // compressed, or colour masks other than B G R A bytes
    BadSize,            // width zero or negative, height zero, or either beyond the limits
    PixelDataShort,     // fewer than width x height x 4 bytes behind the headers
};

// Largest frame accepted, in pixels a side and in total (64 MB of pixels). Callers read at most
// kMaxFrameBitmapFileBytes of a file, so nothing larger is ever held in memory.
constexpr int kMaxFrameBitmapSide = 8192;
constexpr std::size_t kMaxFrameBitmapPixels = 16u * 1024u * 1024u;
constexpr std::size_t kMaxFrameBitmapFileBytes = kMaxFrameBitmapPixels * 4 + 4096;

// Reads a photo-frame bitmap from the bytes of its file. Accepted: a "BM" file with an info header of
// 40 bytes or one of its longer versions, 32 bits a pixel, one plane, uncompressed (or bit fields
// naming the plain B G R A byte order), bottom-up or top-down (negative height; its rows are
// turned round so that `image` is bottom-up like the others), both sides 1..kMaxFrameBitmapSide, the pixels
// at the file's pixel offset and all of them present. The file's own size field is not trusted; extra bytes
// behind the pixels are ignored. When the file declares no alpha channel (bit fields with an empty alpha
// mask) the fourth bytes are cleared. On failure `image` is left as it was.
FrameBitmapStatus ParseFrameBitmap(const std::uint8_t* data, std::size_t size, FrameBitmap& image);

// Short English name of a status for the log.
const char* FrameBitmapStatusText(FrameBitmapStatus status);

// The frame at the video size: a copy when it already has that size, otherwise scaled with the 4-byte
// bilinear resampler. False (and `scaled` untouched) for an empty frame or a size below 1.
bool ScaleFrameBitmap(const FrameBitmap& frame, int width, int height, FrameBitmap& scaled);
