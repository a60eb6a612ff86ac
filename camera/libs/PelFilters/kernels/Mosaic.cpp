#include "camera/libs/PelFilters/kernels/Mosaic.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pel {

namespace {

// One filled line of a row of squares from its column sums. FixedBlock, when not 0, is the square
// width known at compile time (small squares are the costly ones: many squares, few pixels each).
template <int FixedBlock>
void FillLine(const std::uint16_t* column, std::uint8_t* q, int width, int runtimeBlock, int lines) {
    const int block = FixedBlock != 0 ? FixedBlock : runtimeBlock;
    // Rounded means by a multiply: with sums below 256 x count and count at most 256 x 256, the
    // ceiling reciprocal out of 2^40 gives the exact quotient. Only the last square of the row
    // can hold fewer columns, so two reciprocals serve the whole row.
    const auto reciprocalOf = [](std::uint32_t count) {
        return ((std::uint64_t{1} << 40) + count - 1) / count;
    };
    const std::uint32_t fullCount = static_cast<std::uint32_t>(block * lines);
    const std::uint64_t fullReciprocal = reciprocalOf(fullCount);
    for (int x = 0; x < width; x += block) {
        const int columns = std::min(block, width - x);
        std::uint32_t b = 0, g = 0, r = 0;
        for (int i = 0; i < columns; ++i, column += 3) {
            b += column[0];
            g += column[1];
            r += column[2];
        }
        const std::uint32_t count = static_cast<std::uint32_t>(columns * lines);
        const std::uint64_t reciprocal = count == fullCount ? fullReciprocal : reciprocalOf(count);
        const auto mean = [&](std::uint32_t sum) {
            return static_cast<std::uint32_t>(((sum + count / 2) * reciprocal) >> 40);
        };
        // Each pixel as one 4-byte store whose fourth byte the next pixel overwrites (the filled
        // line has a spare byte behind it).
        const std::uint32_t pixel = mean(b) | (mean(g) << 8) | (mean(r) << 16) | (mean(b) << 24);
        for (int i = 0; i < columns; ++i, q += 3) std::memcpy(q, &pixel, 4);
    }
}

}  // namespace

void ApplyMosaic(const Rgb24Frame& frame, int blockWidth) {
    if (!frame.Valid() || blockWidth <= 1) return;
    const int block = std::min({blockWidth, kMaxMosaicWidth, std::max(frame.width, frame.height)});
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    // Column sums of one row of squares (at most 256 lines of 255 fit 16 bits) and
    // one filled line that every line of the row of squares receives.
    std::vector<std::uint16_t> columnSums(rowBytes);
    std::vector<std::uint8_t> filled(rowBytes + 1);

    for (int firstLine = 0; firstLine < frame.height; firstLine += block) {
        const int lines = std::min(block, frame.height - firstLine);
        const std::uint8_t* first = frame.Line(firstLine);
        for (std::size_t i = 0; i < rowBytes; ++i) columnSums[i] = first[i];
        for (int line = firstLine + 1; line < firstLine + lines; ++line) {
            const std::uint8_t* p = frame.Line(line);
            std::uint16_t* sums = columnSums.data();
            for (std::size_t i = 0; i < rowBytes; ++i) sums[i] = static_cast<std::uint16_t>(sums[i] + p[i]);
        }

        if (block == 2)
            FillLine<2>(columnSums.data(), filled.data(), frame.width, 2, lines);
        else if (block == 3)
            FillLine<3>(columnSums.data(), filled.data(), frame.width, 3, lines);
        else if (block == 4)
            FillLine<4>(columnSums.data(), filled.data(), frame.width, 4, lines);
        else
            FillLine<0>(columnSums.data(), filled.data(), frame.width, block, lines);
        for (int line = firstLine; line < firstLine + lines; ++line)
            std::memcpy(frame.Line(line), filled.data(), rowBytes);
    }
}

}  // namespace pel
