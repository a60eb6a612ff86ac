#include "camera/libs/PelFilters/kernels/DigitalZoom.h"

#include <algorithm>
#include <cstring>

namespace pel {

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
    for (Tap& c : columns_) {  // columns as byte offsets
        c.first *= 3;
        c.second *= 3;
    }
    line_.assign(static_cast<std::size_t>(width) * 3, 0);
    tableWidth_ = width;
    tableHeight_ = height;
    tableFactor_ = factor;
}

void DigitalZoom::Apply(const Rgb24Frame& frame, int factor) {
    if (!frame.Valid()) return;
    factor = std::clamp(factor, 1, kMaxFactor);
    if (factor == 1) return;
    PrepareTables(frame.width, frame.height, factor);

    const std::size_t frameBytes =
        static_cast<std::size_t>(frame.stride) * static_cast<std::size_t>(frame.height);
    if (copy_.size() < frameBytes) copy_.resize(frameBytes);
    std::memcpy(copy_.data(), frame.bits, frameBytes);

    // Only the middle columns feed the output.
    const int firstByte = columns_.front().first;
    const int endByte = columns_.back().second + 3;
    for (int y = 0; y < frame.height; ++y) {
        const Tap& row = rows_[static_cast<std::size_t>(y)];
        const std::uint8_t* upper = copy_.data() + static_cast<std::size_t>(row.first) * frame.stride;
        const std::uint8_t* lower = copy_.data() + static_cast<std::size_t>(row.second) * frame.stride;
        const std::uint32_t wl = row.weight, wu = 256 - row.weight;
        for (int i = firstByte; i < endByte; ++i)
            line_[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(upper[i] * wu + lower[i] * wl);

        std::uint8_t* out = frame.bits + static_cast<std::ptrdiff_t>(y) * frame.stride;
        for (const Tap& c : columns_) {
            const std::uint16_t* a = line_.data() + c.first;
            const std::uint16_t* b = line_.data() + c.second;
            const std::uint32_t wr = c.weight, wleft = 256 - c.weight;
            out[0] = static_cast<std::uint8_t>((a[0] * wleft + b[0] * wr + 32768) >> 16);
            out[1] = static_cast<std::uint8_t>((a[1] * wleft + b[1] * wr + 32768) >> 16);
            out[2] = static_cast<std::uint8_t>((a[2] * wleft + b[2] * wr + 32768) >> 16);
            out += 3;
        }
    }
}

}  // namespace pel
