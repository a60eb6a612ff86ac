#pragma once

#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"

namespace pel {

// The overlay text drawn over the picture in one colour.
//
// The mask has one byte a pixel, top row first. A mask of 0 and 1 is a plain ink mask (1 = ink).
// A mask holding larger values is read as coverage out of 255 (smoothed glyph edges), mixed with the
// video like an opacity. The text sits centred across the picture with its bottom one tenth of the
// picture height above the bottom edge; what does not fit is cut off (a text wider than the picture
// starts at its left edge, a taller one at its top).
// Not synchronised: the filter holds its lock around every call.
class TextOverlay {
  public:
    // Copies the mask. colour is a COLORREF (0x00BBGGRR). Null mask or a size below 1 removes the text.
    void SetText(const std::uint8_t* mask, int width, int height, std::uint32_t colour);
    void Clear();
    bool HasText() const { return !coverage_.empty(); }

    void Apply(const Rgb24Frame& frame) const;

    // Top-left corner of the text in a picture of the given size (may lie outside for a large text).
    struct Position {
        int left;
        int top;
    };
    Position Place(int pictureWidth, int pictureHeight) const;

  private:
    std::vector<std::uint8_t> coverage_;  // 0..255 a pixel, top row first
    int width_ = 0, height_ = 0;
    std::uint8_t blue_ = 0, green_ = 0, red_ = 0;
};

}  // namespace pel
