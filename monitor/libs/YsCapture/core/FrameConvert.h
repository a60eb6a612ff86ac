// Conversion of a camera buffer to the frame layout every caller uses: 24-bit BGR, bottom-up,
// width * 3 bytes a row. Rows of the source may be padded (DIB rows are 4-byte aligned) and may run
// top-down. When the camera could not deliver the asked size the picture is scaled (nearest pixel).
#pragma once

#include <cstddef>
#include <cstdint>

namespace yscap {

struct SourceFrame {
    const uint8_t* data = nullptr;
    size_t size = 0;  // bytes available at data
    int width = 0;
    int height = 0;        // positive
    bool topDown = false;  // first row in memory is the top of the picture
};

// Bytes of one 24-bit DIB row: width * 3 rounded up to 4.
inline size_t DibStride24(int width) {
    return (size_t(width) * 3 + 3) & ~size_t(3);
}

// Writes dstWidth x dstHeight into dst (dstWidth * 3 * dstHeight bytes). False when the source is
// smaller than its stated size (nothing is written then).
bool ConvertToFrame(const SourceFrame& src, uint8_t* dst, int dstWidth, int dstHeight);

}  // namespace yscap
