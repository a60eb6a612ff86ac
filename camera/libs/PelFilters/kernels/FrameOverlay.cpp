#include "camera/libs/PelFilters/kernels/FrameOverlay.h"

#include <cstring>

#include "camera/photo/ResampleBilinear.h"

namespace pel {

namespace {

constexpr std::uint64_t kLaneBytes = 0x000000FF00FF00FFull;
constexpr std::uint64_t kLaneHalf = 0x0000008000800080ull;

// B G R of a pixel in three 16-bit lanes.
inline std::uint64_t Spread(const std::uint8_t* p) {
    return p[0] | (static_cast<std::uint64_t>(p[1]) << 16) | (static_cast<std::uint64_t>(p[2]) << 32);
}

// Every lane divided by 255, rounded ((v + 128 + ((v + 128) >> 8)) >> 8, exact for v up to 65280;
// no lane carries into the next below 65536).
inline void StoreDividedBy255(std::uint64_t lanes, std::uint8_t* out) {
    lanes += kLaneHalf;
    lanes += (lanes >> 8) & kLaneBytes;
    out[0] = static_cast<std::uint8_t>(lanes >> 8);
    out[1] = static_cast<std::uint8_t>(lanes >> 24);
    out[2] = static_cast<std::uint8_t>(lanes >> 40);
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

    premultiplied_.assign(count, 0);
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
                premultiplied_[i] = Spread(row + 4 * x) * alpha;
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
    const std::uint64_t* premultiplied = premultiplied_.data();
    const std::uint8_t* inverseAlpha = inverseAlpha_.data();
    for (const Span& span : spans_) {
        std::uint8_t* out = frame.Line(span.line) + span.begin * 3;
        const std::size_t base = static_cast<std::size_t>(span.line) * frame.width;
        for (std::size_t i = base + span.begin, end = base + span.end; i < end; ++i, out += 3)
            StoreDividedBy255(premultiplied[i] + Spread(out) * inverseAlpha[i], out);
    }
}

}  // namespace pel
