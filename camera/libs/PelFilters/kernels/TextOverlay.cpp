#include "camera/libs/PelFilters/kernels/TextOverlay.h"

#include <algorithm>

namespace pel {

namespace {

inline std::uint8_t Mix(std::uint8_t ink, std::uint8_t video, std::uint32_t coverage) {
    std::uint32_t value = ink * coverage + video * (255 - coverage) + 128;
    return static_cast<std::uint8_t>((value + (value >> 8)) >> 8);
}

}  // namespace

void TextOverlay::SetText(const std::uint8_t* mask, int width, int height, std::uint32_t colour) {
    Clear();
    if (mask == nullptr || width < 1 || height < 1) return;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    coverage_.assign(mask, mask + count);
    const bool plainInk =
        std::all_of(coverage_.begin(), coverage_.end(), [](std::uint8_t m) { return m <= 1; });
    if (plainInk)
        for (std::uint8_t& m : coverage_) m = m ? 255 : 0;
    width_ = width;
    height_ = height;
    red_ = static_cast<std::uint8_t>(colour & 0xFF);
    green_ = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    blue_ = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

void TextOverlay::Clear() {
    coverage_.clear();
    width_ = height_ = 0;
}

TextOverlay::Position TextOverlay::Place(int pictureWidth, int pictureHeight) const {
    const int left = width_ >= pictureWidth ? 0 : (pictureWidth - width_) / 2;
    const int bottomGap = pictureHeight / 10;
    const int top = std::max(0, pictureHeight - bottomGap - height_);
    return Position{left, top};
}

void TextOverlay::Apply(const Rgb24Frame& frame) const {
    if (!frame.Valid() || !HasText()) return;
    const Position at = Place(frame.width, frame.height);
    const int lines = std::min(height_, frame.height - at.top);
    const int columns = std::min(width_, frame.width - at.left);
    for (int y = 0; y < lines; ++y) {
        const std::uint8_t* mask = coverage_.data() + static_cast<std::size_t>(y) * width_;
        std::uint8_t* out = frame.Line(at.top + y) + at.left * 3;
        for (int x = 0; x < columns; ++x, out += 3) {
            const std::uint32_t c = mask[x];
            if (c == 0) continue;
            if (c == 255) {
                out[0] = blue_;
                out[1] = green_;
                out[2] = red_;
            } else {
                out[0] = Mix(blue_, out[0], c);
                out[1] = Mix(green_, out[1], c);
                out[2] = Mix(red_, out[2], c);
            }
        }
    }
}

}  // namespace pel
