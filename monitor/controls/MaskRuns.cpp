#include "monitor/controls/MaskRuns.h"

#include <cstddef>

namespace skin {

namespace {

inline bool IsOutside(const uint8_t* px, uint8_t red, uint8_t green, uint8_t blue) {
    return px[2] == red && px[1] == green && px[0] == blue;
}

}  // namespace

std::vector<MaskRun> CollectMaskRuns(const uint8_t* pixels, int width, int height, uint32_t outsideRgb) {
    std::vector<MaskRun> runs;
    if (!pixels || width <= 0 || height <= 0) return runs;
    const auto red = static_cast<uint8_t>(outsideRgb >> 16);
    const auto green = static_cast<uint8_t>(outsideRgb >> 8);
    const auto blue = static_cast<uint8_t>(outsideRgb);
    const size_t stride = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + stride * static_cast<size_t>(y);
        int x = 0;
        while (x < width) {
            while (x < width && IsOutside(row + x * 4, red, green, blue)) ++x;
            if (x == width) break;
            const int start = x;
            while (x < width && !IsOutside(row + x * 4, red, green, blue)) ++x;
            runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}

}  // namespace skin
