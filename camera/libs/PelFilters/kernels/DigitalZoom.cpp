#include "camera/libs/PelFilters/kernels/DigitalZoom.h"

#include <algorithm>
#include <cstring>

namespace pel {

namespace {

// out = (first x (256 - weight) + second x weight) / 256, rounded; a plain loop the compiler vectorises.
void BlendBytes(const std::uint8_t* __restrict first, const std::uint8_t* __restrict second,
                std::uint8_t* __restrict out, std::size_t count, std::uint32_t weight) {
    const std::uint16_t w2 = static_cast<std::uint16_t>(weight);
    const std::uint16_t w1 = static_cast<std::uint16_t>(256 - weight);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = static_cast<std::uint8_t>((first[i] * w1 + second[i] * w2 + 128) >> 8);
}

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

std::vector<DigitalZoom::Tap> DigitalZoom::Taps(int length, int factor) {
    // Output pixel centres map onto the middle 1/factor of the source, centre onto centre:
    // source = length/2 + (out + 0.5 - length/2) / factor - 0.5, in 1/256 pixel, rounded down. Every
    // `factor` outputs the source moves on by exactly one pixel with the same weight.
    std::vector<Tap> taps(static_cast<std::size_t>(length));
    const std::int64_t last = static_cast<std::int64_t>(length - 1) * 256;
    for (int out = 0; out < length; ++out) {
        const std::int64_t twice =
            (2 * static_cast<std::int64_t>(out) + 1 - length) * 256;  // 2 x 256 x offset
        std::int64_t position =
            (static_cast<std::int64_t>(length) - 1) * 128 + FloorDivide(twice, 2 * factor);
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
    // The columns fall into `factor` phases (out = phase + factor x k), each a run of consecutive
    // source pixels with one weight, so each phase is one plain blend of two byte runs.
    periodic_ = true;
    for (std::size_t x = static_cast<std::size_t>(factor); x < columns_.size() && periodic_; ++x) {
        const Tap& a = columns_[x - static_cast<std::size_t>(factor)];
        const Tap& b = columns_[x];
        periodic_ = b.first == a.first + 1 && b.second == a.second + 1 && b.weight == a.weight;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    phase_.assign(rowBytes + 4, 0);
    const int rowsInUse = rows_.back().second - rows_.front().first + 1;
    widened_.assign(static_cast<std::size_t>(rowsInUse) * rowBytes + 1, 0);
    byteTaps_.clear();
    for (const Tap& tap : columns_)
        for (std::uint32_t c = 0; c < 3; ++c)
            byteTaps_.push_back({static_cast<std::uint32_t>(tap.first) * 3 + c,
                                 static_cast<std::uint32_t>(tap.second) * 3 + c, tap.weight});
    shuffleBlocks_ = zoomrows::PlanShuffleBlocks(byteTaps_, rowBytes);
    tableWidth_ = width;
    tableHeight_ = height;
    tableFactor_ = factor;
}

void DigitalZoom::BlendRun(const std::uint8_t* first, const std::uint8_t* second, std::uint8_t* out,
                           std::size_t count, std::uint32_t weight, SimdLevel level) {
    if (level == SimdLevel::Plain)
        BlendBytes(first, second, out, count, weight);
    else
        zoomrows::BlendRunSse2(first, second, out, count, weight);
}

void DigitalZoom::WidenRow(const std::uint8_t* source, std::uint8_t* out, int width, int factor,
                           SimdLevel level) {
    if (level >= SimdLevel::Ssse3) {
        zoomrows::WidenRowSsse3(source, out, shuffleBlocks_, byteTaps_);
        return;
    }
    if (periodic_) {
        for (int p = 0; p < factor && p < width; ++p) {
            const Tap& tap = columns_[static_cast<std::size_t>(p)];
            const int count = (width - p + factor - 1) / factor;
            BlendRun(source + tap.first * 3, source + tap.second * 3, phase_.data(),
                     static_cast<std::size_t>(count) * 3, tap.weight, level);
            // Deal the phase's pixels out to every factor-th place.
            const std::uint8_t* from = phase_.data();
            std::uint8_t* to = out + p * 3;
            for (int k = 0; k < count; ++k, from += 3, to += factor * 3) {
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
            }
        }
        return;
    }
    for (int x = 0; x < width; ++x) {
        const Tap& tap = columns_[static_cast<std::size_t>(x)];
        BlendBytes(source + tap.first * 3, source + tap.second * 3, out + x * 3, 3, tap.weight);
    }
}

void DigitalZoom::Apply(const Rgb24Frame& frame, int factor, SimdLevel level) {
    if (!frame.Valid()) return;
    factor = std::clamp(factor, 1, kMaxFactor);
    if (factor == 1) return;
    PrepareTables(frame.width, frame.height, factor);

    // The mapping is symmetric about the centre (to 1/256 pixel), so memory rows serve as picture
    // lines either way up. Across first, on the middle rows only (all of them are read before any
    // row is written), then down, from those widened rows into the frame.
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    const int firstRow = rows_.front().first;
    const int rowsInUse = rows_.back().second - firstRow + 1;
    for (int r = 0; r < rowsInUse; ++r)
        WidenRow(frame.bits + static_cast<std::ptrdiff_t>(firstRow + r) * frame.stride,
                 widened_.data() + static_cast<std::size_t>(r) * rowBytes, frame.width, factor, level);

    for (int y = 0; y < frame.height; ++y) {
        const Tap& row = rows_[static_cast<std::size_t>(y)];
        BlendRun(widened_.data() + static_cast<std::size_t>(row.first - firstRow) * rowBytes,
                 widened_.data() + static_cast<std::size_t>(row.second - firstRow) * rowBytes,
                 frame.bits + static_cast<std::ptrdiff_t>(y) * frame.stride, rowBytes, row.weight, level);
    }
}

}  // namespace pel
