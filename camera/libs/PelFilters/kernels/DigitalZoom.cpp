#include "camera/libs/PelFilters/kernels/DigitalZoom.h"

#include <algorithm>
#include <cstring>

namespace pel {

namespace {

// out = (upper x (256 - weight) + lower x weight) / 256, rounded; plain loop the compiler vectorises.
void BlendLines(const std::uint8_t* __restrict upper, const std::uint8_t* __restrict lower,
                std::uint8_t* __restrict out, std::size_t count, std::uint32_t weight) {
    const std::uint16_t wl = static_cast<std::uint16_t>(weight);
    const std::uint16_t wu = static_cast<std::uint16_t>(256 - weight);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>((upper[i] * wu + lower[i] * wl + 128) >> 8);
}

}  // namespace

std::vector<DigitalZoom::Tap> DigitalZoom::Taps(int length, int factor) {
    // Output pixel centres map onto the middle 1/factor of the source, centre onto centre:
    // source = length/2 + (out + 0.5 - length/2) / factor - 0.5, in 1/256 pixel.
    std::vector<Tap> taps(static_cast<std::size_t>(length));
    const std::int64_t last = static_cast<std::int64_t>(length - 1) * 256;
    for (int out = 0; out < length; ++out) {
        const std::int64_t twice =
            (2 * static_cast<std::int64_t>(out) + 1 - length) * 256;  // 2 x 256 x offset
        std::int64_t position = (static_cast<std::int64_t>(length) * 256 - 256) / 2 + twice / (2 * factor);
        position = std::clamp<std::int64_t>(position, 0, last);
        const int first = static_cast<int>(position >> 8);
        taps[static_cast<std::size_t>(out)] =
            Tap{first, std::min(first + 1, length - 1), static_cast<std::uint32_t>(position & 255)};
    }
    return taps;
}

void DigitalZoom::PrepareTables(int width, int height, int factor) {
    if (width == tableWidth_ && height == tableHeight_ && factor == tableFactor_) return;
    columns_ = Taps(width, factor);
    rows_ = Taps(height, factor);
    spread_.assign(static_cast<std::size_t>(width), 0);
    const int rowsInUse = rows_.back().second - rows_.front().first + 1;
    widened_.assign(static_cast<std::size_t>(rowsInUse) * width * 3, 0);
    tableWidth_ = width;
    tableHeight_ = height;
    tableFactor_ = factor;
}

void DigitalZoom::Apply(const Rgb24Frame& frame, int factor) {
    if (!frame.Valid()) return;
    factor = std::clamp(factor, 1, kMaxFactor);
    if (factor == 1) return;
    PrepareTables(frame.width, frame.height, factor);

    // The mapping is symmetric about the centre, so memory rows serve as picture lines either way up.
    // Across first, on the middle rows only (all of them are read before any row is written), then
    // down, from those widened rows into the frame.
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    const int firstRow = rows_.front().first;
    const int rowsInUse = rows_.back().second - firstRow + 1;
    const int firstColumn = columns_.front().first;
    const int endColumn = columns_.back().second + 1;
    constexpr std::uint64_t kHalf = 0x0080008000800080ull;
    std::uint64_t* spread = spread_.data();  // locals: byte stores below could otherwise alias the members
    const Tap* columns = columns_.data();
    for (int r = 0; r < rowsInUse; ++r) {
        const std::uint8_t* source = frame.bits + static_cast<std::ptrdiff_t>(firstRow + r) * frame.stride;
        for (int x = firstColumn; x < endColumn; ++x) {
            const std::uint8_t* p = source + x * 3;
            spread[x] =
                p[0] | (static_cast<std::uint64_t>(p[1]) << 16) | (static_cast<std::uint64_t>(p[2]) << 32);
        }
        std::uint8_t* out = widened_.data() + static_cast<std::size_t>(r) * rowBytes;
        for (const Tap *c = columns, *end = columns + frame.width; c != end; ++c) {
            // Three channels in one multiply: each 16-bit lane holds at most 255 x 256 + 128.
            const std::uint64_t mixed =
                spread[c->first] * (256 - c->weight) + spread[c->second] * c->weight + kHalf;
            out[0] = static_cast<std::uint8_t>(mixed >> 8);
            out[1] = static_cast<std::uint8_t>(mixed >> 24);
            out[2] = static_cast<std::uint8_t>(mixed >> 40);
            out += 3;
        }
    }

    for (int y = 0; y < frame.height; ++y) {
        const Tap& row = rows_[static_cast<std::size_t>(y)];
        const std::uint8_t* upper =
            widened_.data() + static_cast<std::size_t>(row.first - firstRow) * rowBytes;
        const std::uint8_t* lower =
            widened_.data() + static_cast<std::size_t>(row.second - firstRow) * rowBytes;
        BlendLines(upper, lower, frame.bits + static_cast<std::ptrdiff_t>(y) * frame.stride, rowBytes,
                   row.weight);
    }
}

}  // namespace pel
