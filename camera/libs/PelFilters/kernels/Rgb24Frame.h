#pragma once

#include <cstddef>
#include <cstdint>

namespace pel {

// One RGB24 video frame as the filters receive it: B G R bytes, every row padded to a multiple of
// 4 bytes, rows bottom-up (the last row in memory is the top of the picture) unless topDown.
struct Rgb24Frame {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes from one row to the next, at least width x 3
    bool topDown = false;

    bool Valid() const { return bits != nullptr && width > 0 && height > 0 && stride >= width * 3; }

    // Memory row of picture line `line`, counted from the top of the picture.
    std::uint8_t* Line(int line) const {
        const int row = topDown ? line : height - 1 - line;
        return bits + static_cast<std::ptrdiff_t>(row) * stride;
    }
};

// Row length of an RGB24 bitmap of the given width: width x 3 rounded up to 4 bytes.
constexpr int Rgb24Stride(int width) {
    return (width * 3 + 3) & ~3;
}

}  // namespace pel
