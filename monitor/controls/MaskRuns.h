// The inside of a button mask as row runs: every run of pixels that are not the outside colour
// becomes one rectangle one row high. The button's clickable outline is the union of these.
#pragma once

#include <cstdint>
#include <vector>

namespace skin {

struct MaskRun {
    int32_t left, top, right, bottom;  // right and bottom exclusive
};

// pixels: top-down rows of width * 4 bytes, each pixel blue, green, red, unused.
// outsideRgb: 0xRRGGBB of the colour that lies outside the button (white for our masks).
// A run still open at the end of a row ends at `width`.
std::vector<MaskRun> CollectMaskRuns(const uint8_t* pixels, int width, int height, uint32_t outsideRgb);

}  // namespace skin
