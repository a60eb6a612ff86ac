#include "camera/libs/PelFilters/kernels/FrameOverlay.h"

#include <cstring>

#include "camera/libs/PelImaging/ResampleBilinear.h"

namespace pel {

namespace {

// One span of bytes: out = (colour x A + video x (255 - A)) / 255, rounded, with the products of the
// frame stored per byte. All in 16 bits ((v + 128 + ((v + 128) >> 8)) >> 8 is exact up to 65280), so
// the compiler runs it on whole vectors of bytes.
void BlendBytes(const std::uint16_t* __restrict premultiplied, const std::uint8_t* __restrict inverseAlpha,
                std::uint8_t* __restrict out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t v = static_cast<std::uint16_t>(premultiplied[i] + out[i] * inverseAlpha[i] + 128);
        out[i] = static_cast<std::uint8_t>((v + (v >> 8)) >> 8);
    }
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
    inverseAlpha_.assign(count * 3, 255);
    spans_.clear();
    for (int line = 0; line < height; ++line) {
        const std::uint8_t* row = source + static_cast<std::size_t>(height - 1 - line) * width * 4;
        const std::size_t base = static_cast<std::size_t>(line) * width;
        int spanBegin = -1;
        for (int x = 0; x <= width; ++x) {
            const std::uint8_t alpha = x < width ? row[4 * x + 3] : 0;
            if (alpha != 0) {
                const std::size_t i = (base + x) * 3;
                for (int c = 0; c < 3; ++c) {
                    premultiplied_[i + c] = static_cast<std::uint16_t>(row[4 * x + c] * alpha);
                    inverseAlpha_[i + c] = static_cast<std::uint8_t>(255 - alpha);
                }
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
        const std::size_t first = (static_cast<std::size_t>(span.line) * frame.width + span.begin) * 3;
        BlendBytes(premultiplied_.data() + first, inverseAlpha_.data() + first,
                   frame.Line(span.line) + span.begin * 3,
                   static_cast<std::size_t>(span.end - span.begin) * 3);
    }
}

}  // namespace pel
