#include "monitor/libs/YsProcess/TextStamp.h"

#include <algorithm>
#include <cstring>

namespace ysp {

void GlyphAtlas::SetGlyph(char c, int width, const uint8_t* coverage) {
    const int index = static_cast<unsigned char>(c) - kFirst;
    if (index < 0 || index >= kCount || width < 0) return;
    Glyph& g = glyphs_[index];
    g.width = width;
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(std::max(cellHeight_, 0));
    g.coverage.assign(coverage, coverage + (coverage ? size : 0));
    g.coverage.resize(size);
}

const Glyph* GlyphAtlas::Find(char c) const {
    const int index = static_cast<unsigned char>(c) - kFirst;
    if (index >= 0 && index < kCount && glyphs_[index].width > 0) return &glyphs_[index];
    const Glyph& space = glyphs_[0];
    return space.width > 0 ? &space : nullptr;
}

char StampCharFor(char c) {
    switch (c) {
        case ':':
            return '-';
        case ';':
            return ':';
        case '<':
            return ' ';
        default:
            return c;
    }
}

void TextStamp::Resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    const size_t size = static_cast<size_t>(width_ + 2) * static_cast<size_t>(height_ + 2);
    fill_.assign(size, 0);
    outline_.assign(size, 0);
}

void TextStamp::Compose(const GlyphAtlas& atlas, const std::string& text) {
    text_ = text;
    int width = 0;
    for (char c : text) {
        if (const Glyph* g = atlas.Find(StampCharFor(c))) width += g->width;
    }
    const int height = atlas.CellHeight();
    Resize(width, height);
    const int stride = PlaneWidth();
    int left = 1;
    for (char c : text) {
        const Glyph* g = atlas.Find(StampCharFor(c));
        if (!g) continue;
        for (int row = 0; row < height; ++row) {
            std::memcpy(&fill_[static_cast<size_t>(row + 1) * stride + left],
                        &g->coverage[static_cast<size_t>(row) * g->width], g->width);
        }
        left += g->width;
    }
    BuildOutline();
}

void TextStamp::SetMask(int width, int height, const uint8_t* coverage) {
    text_.clear();
    Resize(width, height);
    const int stride = PlaneWidth();
    for (int row = 0; coverage && row < height_; ++row) {
        std::memcpy(&fill_[static_cast<size_t>(row + 1) * stride + 1],
                    coverage + static_cast<size_t>(row) * width_, width_);
    }
    BuildOutline();
}

// The outline is the text grown by one pixel in every direction (3 x 3 maximum).
void TextStamp::BuildOutline() {
    const int w = PlaneWidth();
    const int h = PlaneHeight();
    std::vector<uint8_t>& out = outline_;
    for (int y = 0; y < h; ++y) {
        const int y0 = std::max(y - 1, 0);
        const int y1 = std::min(y + 1, h - 1);
        for (int x = 0; x < w; ++x) {
            const int x0 = std::max(x - 1, 0);
            const int x1 = std::min(x + 1, w - 1);
            uint8_t m = 0;
            for (int yy = y0; yy <= y1; ++yy) {
                const uint8_t* row = &fill_[static_cast<size_t>(yy) * w];
                for (int xx = x0; xx <= x1; ++xx) m = std::max(m, row[xx]);
            }
            out[static_cast<size_t>(y) * w + x] = m;
        }
    }
}

namespace {

inline uint32_t Div255(uint32_t v) {
    return (v + 1 + (v >> 8)) >> 8;
}  // exact for v <= 255 * 255

}  // namespace

void BlendStamp(uint8_t* frame, int frameWidth, int frameHeight, const TextStamp& stamp, int x, int y) {
    if (!frame || frameWidth <= 0 || frameHeight <= 0) return;
    const int pw = stamp.PlaneWidth();
    const int ph = stamp.PlaneHeight();
    const uint8_t* fill = stamp.Fill();
    const uint8_t* outline = stamp.Outline();
    const int left = x - 1;
    const int colBegin = std::max(0, -left);
    const int colEnd = std::min(pw, frameWidth - left);
    if (colBegin >= colEnd) return;
    const size_t stride = static_cast<size_t>(frameWidth) * 3;
    for (int sy = 0; sy < ph; ++sy) {
        const int row = y + 1 - sy;  // plane row 0 is the outline row above the text
        if (row < 0 || row >= frameHeight) continue;
        uint8_t* px = frame + stride * static_cast<size_t>(row) + static_cast<size_t>(left + colBegin) * 3;
        const uint8_t* f = fill + static_cast<size_t>(sy) * pw;
        const uint8_t* o = outline + static_cast<size_t>(sy) * pw;
        for (int sx = colBegin; sx < colEnd; ++sx, px += 3) {
            const uint32_t dark = o[sx];
            if (!dark) continue;
            const uint32_t light = f[sx];
            for (int ch = 0; ch < 3; ++ch) {
                uint32_t v = Div255(px[ch] * (255 - dark));  // darken under the outline
                v += Div255((255 - v) * light);              // then paint the text light
                px[ch] = static_cast<uint8_t>(v);
            }
        }
    }
}

}  // namespace ysp
