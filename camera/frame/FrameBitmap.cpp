#include "camera/frame/FrameBitmap.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#include "camera/libs/PelImaging/ResampleBilinear.h"

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kRgb = 0;             // BI_RGB
constexpr std::uint32_t kBitFields = 3;       // BI_BITFIELDS
constexpr std::uint32_t kAlphaBitFields = 6;  // BI_ALPHABITFIELDS

std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t ReadI32(const std::uint8_t* p) {
    const std::uint32_t u = ReadU32(p);
    std::int32_t value;
    std::memcpy(&value, &u, sizeof value);
    return value;
}

bool KnownInfoHeaderSize(std::uint32_t size) {
    // BITMAPINFOHEADER, its two bit-field extensions, BITMAPV4HEADER, BITMAPV5HEADER.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Swaps the rows top for bottom, so that a top-down bitmap reads as the bottom-up ones do.
void FlipRows(FrameBitmap& image) {
    const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
    for (std::size_t top = 0, bottom = static_cast<std::size_t>(image.height) - 1; top < bottom;
         ++top, --bottom)
        std::swap_ranges(image.pixels.begin() + static_cast<std::ptrdiff_t>(top * stride),
                         image.pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * stride),
                         image.pixels.begin() + static_cast<std::ptrdiff_t>(bottom * stride));
}

}  // namespace

FrameBitmapStatus ParseFrameBitmap(const std::uint8_t* data, std::size_t size, FrameBitmap& image) {
    if (data == nullptr || size < kFileHeaderBytes + kInfoHeaderBytes) return FrameBitmapStatus::TooShort;
    if (data[0] != 'B' || data[1] != 'M') return FrameBitmapStatus::NotABitmap;

    const std::uint32_t pixelOffset = ReadU32(data + 10);
    const std::uint8_t* info = data + kFileHeaderBytes;
    const std::uint32_t infoSize = ReadU32(info);
    if (!KnownInfoHeaderSize(infoSize) || size < kFileHeaderBytes + infoSize)
        return FrameBitmapStatus::UnsupportedHeader;

    const std::int32_t width = ReadI32(info + 4);
    const std::int32_t signedHeight = ReadI32(info + 8);
    // A negative height marks a top-down bitmap: its rows are turned round below.
    const bool topDown = signedHeight < 0;
    const std::int32_t height = topDown && signedHeight != INT32_MIN ? -signedHeight : signedHeight;
    const std::uint16_t planes = ReadU16(info + 12);
    const std::uint16_t bitCount = ReadU16(info + 14);
    const std::uint32_t compression = ReadU32(info + 16);
    if (planes != 1 || bitCount != 32) return FrameBitmapStatus::NotThirtyTwoBits;

    bool hasAlpha = true;
    if (compression == kBitFields || compression == kAlphaBitFields) {
        // The masks sit inside a longer header, or right behind the 40-byte one.
        const std::size_t masksAt = kFileHeaderBytes + kInfoHeaderBytes;
        const std::size_t maskCount = (infoSize >= 56 || compression == kAlphaBitFields) ? 4 : 3;
        if (size < masksAt + 4 * maskCount) return FrameBitmapStatus::UnsupportedLayout;
        const std::uint8_t* masks = data + masksAt;
        if (ReadU32(masks) != 0x00FF0000u || ReadU32(masks + 4) != 0x0000FF00u ||
            ReadU32(masks + 8) != 0x000000FFu)
            return FrameBitmapStatus::UnsupportedLayout;
        if (maskCount == 4) {
            const std::uint32_t alphaMask = ReadU32(masks + 12);
            if (alphaMask != 0 && alphaMask != 0xFF000000u) return FrameBitmapStatus::UnsupportedLayout;
            hasAlpha = alphaMask != 0;
        }
        if (pixelOffset < masksAt + 4 * maskCount && infoSize == kInfoHeaderBytes)
            return FrameBitmapStatus::UnsupportedHeader;
    } else if (compression != kRgb) {
        return FrameBitmapStatus::UnsupportedLayout;
    }

    if (width < 1 || height < 1 || width > kMaxFrameBitmapSide || height > kMaxFrameBitmapSide)
        return FrameBitmapStatus::BadSize;
    const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixelCount > kMaxFrameBitmapPixels) return FrameBitmapStatus::BadSize;

    if (pixelOffset < kFileHeaderBytes + infoSize || pixelOffset > size)
        return FrameBitmapStatus::UnsupportedHeader;
    const std::size_t pixelBytes = pixelCount * 4;
    if (size - pixelOffset < pixelBytes) return FrameBitmapStatus::PixelDataShort;

    FrameBitmap result;
    result.width = width;
    result.height = height;
    result.pixels.assign(data + pixelOffset, data + pixelOffset + pixelBytes);
    if (topDown) FlipRows(result);
    if (!hasAlpha)
        for (std::size_t i = 3; i < pixelBytes; i += 4) result.pixels[i] = 0;
    image = std::move(result);
    return FrameBitmapStatus::Ok;
}

const char* FrameBitmapStatusText(FrameBitmapStatus status) {
    switch (status) {
        case FrameBitmapStatus::Ok:
            return "ok";
        case FrameBitmapStatus::TooShort:
            return "file shorter than the bitmap headers";
        case FrameBitmapStatus::NotABitmap:
            return "not a bitmap file";
        case FrameBitmapStatus::UnsupportedHeader:
            return "unsupported bitmap header";
        case FrameBitmapStatus::NotThirtyTwoBits:
            return "not 32 bits a pixel";
        case FrameBitmapStatus::UnsupportedLayout:
            return "compressed or unusual pixel layout";
        case FrameBitmapStatus::BadSize:
            return "width or height out of range";
        case FrameBitmapStatus::PixelDataShort:
            return "pixel data shorter than width x height x 4";
    }
    return "unknown";
}

bool ScaleFrameBitmap(const FrameBitmap& frame, int width, int height, FrameBitmap& scaled) {
    if (frame.width < 1 || frame.height < 1 || width < 1 || height < 1 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) > kMaxFrameBitmapPixels ||
        frame.pixels.size() <
            static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 4)
        return false;
    FrameBitmap result;
    result.width = width;
    result.height = height;
    if (width == frame.width && height == frame.height) {
        result.pixels = frame.pixels;
    } else {
        result.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
        ResampleBilinear<4>(frame.pixels.data(), frame.width, frame.height, width, height,
                            result.pixels.data());
    }
    scaled = std::move(result);
    return true;
}
