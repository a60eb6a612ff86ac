#include "monitor/libs/YsProcess/RegionRuns.h"

#include <cstdlib>

namespace ysp {

namespace {

inline bool Near(uint8_t v, uint8_t key, uint8_t tolerance) {
    return std::abs(static_cast<int>(v) - static_cast<int>(key)) <= tolerance;
}

inline bool IsKey(const uint8_t* px, KeyColour key, KeyColour tolerance) {
    return Near(px[2], key.red, tolerance.red) && Near(px[1], key.green, tolerance.green) &&
           Near(px[0], key.blue, tolerance.blue);
}

}  // namespace

void CollectShapeRuns(const uint8_t* pixels, int width, int height, KeyColour key, KeyColour tolerance,
                      std::vector<RunRect>& out) {
    if (!pixels || width <= 0 || height <= 0) return;
    // Indices of the rectangles that reach the previous row, ordered by left edge: a run of the same
    // extent on this row grows one of them instead of starting a new rectangle.
    std::vector<size_t> open;
    std::vector<size_t> next;
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<size_t>(width) * 4 * static_cast<size_t>(y);
        next.clear();
        size_t candidate = 0;
        int x = 0;
        while (x < width) {
            while (x < width && IsKey(row + x * 4, key, tolerance)) ++x;
            if (x >= width) break;
            const int start = x;
            while (x < width && !IsKey(row + x * 4, key, tolerance)) ++x;
            while (candidate < open.size() && out[open[candidate]].left < start) ++candidate;
            if (candidate < open.size() && out[open[candidate]].left == start &&
                out[open[candidate]].right == x) {
                out[open[candidate]].bottom = y + 1;
                next.push_back(open[candidate]);
            } else {
                out.push_back({start, y, x, y + 1});
                next.push_back(out.size() - 1);
            }
        }
        open.swap(next);
    }
}

}  // namespace ysp
