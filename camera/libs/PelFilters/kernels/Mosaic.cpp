#include "camera/libs/PelFilters/kernels/Mosaic.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pel {

void ApplyMosaic(const Rgb24Frame& frame, int blockWidth) {
    if (!frame.Valid() || blockWidth <= 1) return;
    const int block = std::min({blockWidth, kMaxMosaicWidth, std::max(frame.width, frame.height)});
    const std::size_t rowBytes = static_cast<std::size_t>(frame.width) * 3;
    const int blocksAcross = (frame.width + block - 1) / block;
    // Column sums of one row of squares (at most 256 lines of 255 fit 16 bits), the squares' sums and
    // one filled line that every line of the row of squares receives.
    std::vector<std::uint16_t> columnSums(rowBytes);
    std::vector<std::uint32_t> squareSums(static_cast<std::size_t>(blocksAcross) * 3);
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

        const std::uint16_t* column = columnSums.data();
        for (int bx = 0, x = 0; bx < blocksAcross; ++bx) {
            std::uint32_t b = 0, g = 0, r = 0;
            for (const int end = std::min(x + block, frame.width); x < end; ++x, column += 3) {
                b += column[0];
                g += column[1];
                r += column[2];
            }
            squareSums[3 * bx + 0] = b;
            squareSums[3 * bx + 1] = g;
            squareSums[3 * bx + 2] = r;
        }

        // Rounded means by a multiply: with sums below 256 x count and count at most 256 x 256, the
        // ceiling reciprocal out of 2^40 gives the exact quotient. Only the last square of the row
        // can hold fewer columns, so two reciprocals serve the whole row.
        const auto reciprocalOf = [](std::uint32_t count) {
            return ((std::uint64_t{1} << 40) + count - 1) / count;
        };
        const std::uint32_t fullCount = static_cast<std::uint32_t>(block * lines);
        const std::uint64_t fullReciprocal = reciprocalOf(fullCount);
        std::uint8_t* q = filled.data();
        for (int bx = 0, x = 0; bx < blocksAcross; ++bx, x += block) {
            const int columns = std::min(block, frame.width - x);
            const std::uint32_t count = static_cast<std::uint32_t>(columns * lines);
            const std::uint64_t reciprocal = count == fullCount ? fullReciprocal : reciprocalOf(count);
            std::uint8_t mean[3];
            for (int c = 0; c < 3; ++c)
                mean[c] =
                    static_cast<std::uint8_t>(((squareSums[3 * bx + c] + count / 2) * reciprocal) >> 40);
            for (int i = 0; i < columns; ++i, q += 3) {
                q[0] = mean[0];
                q[1] = mean[1];
                q[2] = mean[2];
            }
        }
        for (int line = firstLine; line < firstLine + lines; ++line)
            std::memcpy(frame.Line(line), filled.data(), rowBytes);
    }
}

}  // namespace pel
