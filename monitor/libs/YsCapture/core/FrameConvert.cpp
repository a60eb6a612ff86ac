#include "monitor/libs/YsCapture/core/FrameConvert.h"

#include <cstring>
#include <vector>

namespace yscap {

bool ConvertToFrame(const SourceFrame& src, uint8_t* dst, int dstWidth, int dstHeight) {
    if (!src.data || src.width <= 0 || src.height <= 0 || dstWidth <= 0 || dstHeight <= 0) return false;
    const size_t stride = DibStride24(src.width);
    // The last row needs only width * 3 bytes: some sources do not pad the final row.
    if (src.size < stride * size_t(src.height - 1) + size_t(src.width) * 3) return false;
    const size_t dstRow = size_t(dstWidth) * 3;

    // Source row holding bottom-up row y of the picture.
    auto sourceRow = [&](int y) {
        const int memRow = src.topDown ? src.height - 1 - y : y;
        return src.data + stride * size_t(memRow);
    };

    if (src.width == dstWidth && src.height == dstHeight) {
        for (int y = 0; y < dstHeight; ++y) std::memcpy(dst + dstRow * size_t(y), sourceRow(y), dstRow);
        return true;
    }
    std::vector<int> columns(static_cast<size_t>(dstWidth));
    for (int x = 0; x < dstWidth; ++x) columns[size_t(x)] = int((int64_t(x) * src.width) / dstWidth) * 3;
    for (int y = 0; y < dstHeight; ++y) {
        const uint8_t* row = sourceRow(int((int64_t(y) * src.height) / dstHeight));
        uint8_t* out = dst + dstRow * size_t(y);
        for (int x = 0; x < dstWidth; ++x, out += 3) {
            const uint8_t* p = row + columns[size_t(x)];
            out[0] = p[0];
            out[1] = p[1];
            out[2] = p[2];
        }
    }
    return true;
}

}  // namespace yscap
