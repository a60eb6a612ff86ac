#include "camera/libs/PelFilters/kernels/FrameOverlay.h"

#include <cstring>

#include "camera/photo/ResampleBilinear.h"

namespace pel {

namespace {

// (value + 127) / 255 without a division, exact for 0..65535.
inline std::uint8_t DivideBy255(std::uint32_t value) {
    value += 128;
    return static_cast<std::uint8_t>((value + (value >> 8)) >> 8);
}

}  // namespace

void FrameOverlay::SetFrame(const std::uint8_t* pixels, int width, int height) {
    Clear();
    if (pixels == nullptr || width < 1 || height < 1) return;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    original_.assign(pixels, pixels + count * 4);
    width_ = width;
    height_ = height;

    bool anyAlpha = false;
    for (std::size_t i = 0; i < count && !anyAlpha; ++i) anyAlpha = original_[4 * i + 3] != 0;
    if (!anyAlpha) {
        const std::size_t middle = (static_cast<std::size_t>(height / 2) * width + width / 2) * 4;
        const std::uint8_t key[3] = {original_[middle], original_[middle + 1], original_[middle + 2]};
        for (std::size_t i = 0; i < count; ++i) {
            std::uint8_t* p = &original_[4 * i];
            p[3] = (p[0] == key[0] && p[1] == key[1] && p[2] == key[2]) ? 0 : 255;
        }
    }
}

void FrameOverlay::Clear() {
    original_.clear();
    width_ = height_ = 0;
    preparedWidth_ = preparedHeight_ = 0;
    premultiplied_.clear();
    inverseAlpha_.clear();
    spans_.clear();
}

void FrameOverlay::Prepare(int width, int height) {
    if (width == preparedWidth_ && height == preparedHeight_) return;
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> scaled;
    const std::uint8_t* source = original_.data();
    if (width != width_ || height != height_) {
        scaled.resize(count * 4);
        ResampleBilinear<4>(original_.data(), width_, height_, width, height, scaled.data());
        source = scaled.data();
    }

    premultiplied_.assign(count * 3, 0);
    inverseAlpha_.assign(count, 255);
    spans_.clear();
    for (int line = 0; line < height; ++line) {
        const std::uint8_t* row = source + static_cast<std::size_t>(height - 1 - line) * width * 4;
        const std::size_t base = static_cast<std::size_t>(line) * width;
        int spanBegin = -1;
        for (int x = 0; x <= width; ++x) {
            const std::uint8_t alpha = x < width ? row[4 * x + 3] : 0;
            if (alpha != 0) {
                const std::size_t i = base + x;
                for (int c = 0; c < 3; ++c)
                    premultiplied_[3 * i + c] = static_cast<std::uint16_t>(row[4 * x + c] * alpha);
                inverseAlpha_[i] = static_cast<std::uint8_t>(255 - alpha);
                if (spanBegin < 0) spanBegin = x;
            } else if (spanBegin >= 0) {
                spans_.push_back(Span{line, spanBegin, x});
                spanBegin = -1;
            }
        }
    }
    preparedWidth_ = width;
    preparedHeight_ = height;
}

void FrameOverlay::Apply(const Rgb24Frame& frame) {
    if (!frame.Valid() || !HasFrame()) return;
    Prepare(frame.width, frame.height);
    for (const Span& span : spans_) {
        std::uint8_t* out = frame.Line(span.line) + span.begin * 3;
        const std::size_t base = static_cast<std::size_t>(span.line) * frame.width;
        for (int x = span.begin; x < span.end; ++x, out += 3) {
            const std::size_t i = base + x;
            const std::uint32_t inverse = inverseAlpha_[i];
            const std::uint16_t* colour = &premultiplied_[3 * i];
            if (inverse == 0) {  // opaque: the stored product is colour x 255
                out[0] = DivideBy255(colour[0]);
                out[1] = DivideBy255(colour[1]);
                out[2] = DivideBy255(colour[2]);
            } else {
                out[0] = DivideBy255(colour[0] + out[0] * inverse);
                out[1] = DivideBy255(colour[1] + out[1] * inverse);
                out[2] = DivideBy255(colour[2] + out[2] * inverse);
            }
        }
    }
}

}  // namespace pel
