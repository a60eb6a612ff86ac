#pragma once
// Orvello's own proportional pixel font: capitals 7 pixels high, descenders 2 more.
// Small text is drawn pixel for pixel; large text is scaled with rounded, anti-aliased strokes.
#include <string>

#include "tools/artwork/Image.h"

namespace artwork {

class PixelFont {
  public:
    static constexpr int kCellHeight = 9;  // rows of one glyph, baseline after row 6
    static constexpr int kCapHeight = 7;

    // True when pixel (col, row) of the glyph for `c` is set; unknown characters draw as a box.
    static bool GlyphPixel(char c, int col, int row);
    static int GlyphWidth(char c);

    // Width in pixels of `text` at `scale`, with `spacing` unscaled pixels between glyphs.
    static int Measure(const std::string& text, int scale = 1, int spacing = 1);
    // Draws `text` with the top of its capitals at (x, y).
    // Bold strokes are about a third wider (a second pass one pixel right at scale 1).
    static void Draw(Image& image, int x, int y, const std::string& text, Rgb colour, int scale = 1,
                     int spacing = 1, float opacity = 1.0f, bool bold = false);
    // Draws `text` centred horizontally on cx with its capitals centred vertically on cy.
    static void DrawCentred(Image& image, float cx, float cy, const std::string& text, Rgb colour,
                            int scale = 1, int spacing = 1, float opacity = 1.0f);
};

}  // namespace artwork
