// Text stamped into 24-bit BGR frames: glyph coverage masks composed into one stamp and blended
// in as light text with a dark outline, so it reads on bright and dark pictures alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ysp {

// One character's coverage, `width` columns by the atlas' cell height, top row first, 0..255.
struct Glyph {
    int width = 0;
    std::vector<uint8_t> coverage;
};

// Printable ASCII glyphs of one font, all of the same cell height. Whoever renders the font
// (GDI on Windows, a synthetic font in host tests and benchmarks) fills it once; stamping only reads.
class GlyphAtlas {
  public:
    explicit GlyphAtlas(int cellHeight = 0) : cellHeight_(cellHeight) {}

    int CellHeight() const { return cellHeight_; }
    // Stores a glyph for c (32..126); coverage must hold width * CellHeight() bytes.
    void SetGlyph(char c, int width, const uint8_t* coverage);
    // The glyph for c, or the space glyph for characters the atlas does not have (null if none).
    const Glyph* Find(char c) const;

  private:
    static constexpr int kFirst = 32;
    static constexpr int kCount = 95;
    int cellHeight_;
    Glyph glyphs_[kCount];
};

// The stamp font draws the clock's separators as a date and time should read: ':' as '-', ';' as ':'
// and '<' as a space, so "%Y:%m:%d<%H;%M;%S" shows as 2026-12-07 22:08:49 and "%02d;%02d" as 00:05.
char StampCharFor(char c);

// A composed stamp: fill and outline coverage planes with a one-pixel border around the text.
// Buffers are kept between compositions so that re-composing does not allocate once warmed up.
class TextStamp {
  public:
    // Lays out text with the atlas glyphs (characters mapped through StampCharFor).
    void Compose(const GlyphAtlas& atlas, const std::string& text);
    // Uses a ready coverage mask (width x height, top row first) as the text, e.g. one rendered once
    // elsewhere; the outline is derived from it exactly as for composed text.
    void SetMask(int width, int height, const uint8_t* coverage);

    const std::string& Text() const { return text_; }
    int TextWidth() const { return width_; }
    int TextHeight() const { return height_; }
    // Planes are (TextWidth() + 2) x (TextHeight() + 2), top row first.
    int PlaneWidth() const { return width_ + 2; }
    int PlaneHeight() const { return height_ + 2; }
    const uint8_t* Fill() const { return fill_.data(); }
    const uint8_t* Outline() const { return outline_.data(); }

  private:
    void Resize(int width, int height);
    void BuildOutline();

    std::string text_;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> fill_;
    std::vector<uint8_t> outline_;
};

// Blends the stamp into a bottom-up BGR frame (rows of frameWidth * 3 bytes). The text's top-left
// pixel lands at column x and buffer row y (the text extends towards lower buffer rows, i.e. down
// the picture); the outline reaches one pixel further on every side. Parts outside are clipped.
void BlendStamp(uint8_t* frame, int frameWidth, int frameHeight, const TextStamp& stamp, int x, int y);

}  // namespace ysp
