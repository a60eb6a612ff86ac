// Row runs of the pixels that differ from a key colour: the rectangles of a window outline.
#pragma once

#include <cstdint>
#include <vector>

namespace ysp {

struct RunRect {
    int32_t left, top, right, bottom;  // right and bottom exclusive, as GDI rectangles
};

struct KeyColour {
    uint8_t red, green, blue;
};

// pixels: top-down rows of width * 4 bytes, each pixel blue, green, red, unused (a 32-bit DIB).
// A pixel is outside the shape when every channel is within the tolerance of the key's channel.
// Appends one rectangle per run of inside pixels on a row; a run touching the right edge ends at
// `width`. Runs of equal extent on consecutive rows are merged into one taller rectangle.
void CollectShapeRuns(const uint8_t* pixels, int width, int height, KeyColour key, KeyColour tolerance,
                      std::vector<RunRect>& out);

}  // namespace ysp
