#include "camera/libs/PelFilters/kernels/Mosaic.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pel {

void ApplyMosaic(const Rgb24Frame& frame, int blockWidth) {
    if (!frame.Valid() || blockWidth <= 1) return;
    const int block = std::min(blockWidth, std::max(frame.width, frame.height));
    const int blocksAcross = (frame.width + block - 1) / block;
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(blocksAcross) * 3);
    std::vector<std::uint8_t> filled(static_cast<std::size_t>(frame.width) * 3);

    for (int firstLine = 0; firstLine < frame.height; firstLine += block) {
        const int lines = std::min(block, frame.height - firstLine);
        std::fill(sums.begin(), sums.end(), 0u);
        for (int line = firstLine; line < firstLine + lines; ++line) {
            const std::uint8_t* p = frame.Line(line);
            for (int bx = 0, x = 0; bx < blocksAcross; ++bx) {
                std::uint32_t b = 0, g = 0, r = 0;
                for (const int end = std::min(x + block, frame.width); x < end; ++x, p += 3) {
                    b += p[0];
                    g += p[1];
                    r += p[2];
                }
                sums[3 * bx + 0] += b;
                sums[3 * bx + 1] += g;
                sums[3 * bx + 2] += r;
            }
        }
        // One filled line serves every line of the block row.
        std::uint8_t* q = filled.data();
        for (int bx = 0, x = 0; bx < blocksAcross; ++bx) {
            const int columns = std::min(block, frame.width - x);
            const std::uint32_t count = static_cast<std::uint32_t>(columns * lines);
            const std::uint8_t b = static_cast<std::uint8_t>((sums[3 * bx + 0] + count / 2) / count);
            const std::uint8_t g = static_cast<std::uint8_t>((sums[3 * bx + 1] + count / 2) / count);
            const std::uint8_t r = static_cast<std::uint8_t>((sums[3 * bx + 2] + count / 2) / count);
            for (int i = 0; i < columns; ++i, q += 3) {
                q[0] = b;
                q[1] = g;
                q[2] = r;
            }
            x += columns;
        }
        for (int line = firstLine; line < firstLine + lines; ++line)
            std::memcpy(frame.Line(line), filled.data(), filled.size());
    }
}

}  // namespace pel
