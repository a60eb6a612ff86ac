// The picture input of the JPEG writer: a packed DIB (BITMAPINFOHEADER, colour table, bottom-up
// rows) as a BMP file holds it behind its 14-byte file header. The DIB readers take no length,
// so a caller hands them only DIBs whose header, table and rows are all present; this target does
// the same and lets the header say anything else.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/targets/FuzzTempDir.h"
#include "monitor/imaging/DibRows.h"
#include "monitor/imaging/JpegDibWriter.h"

namespace {

constexpr std::size_t kHeaderBytes = 40;
constexpr std::int64_t kMaxPixels = 1 << 20;        // rows for DibToRgbRows
constexpr std::int64_t kMaxJpegPixels = 128 * 128;  // compressed to a file as well

void Silent(const char*) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A BMP file: skip its file header as the writer's loader does.
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < 14) return 0;
        data += 14;
        size -= 14;
    }
    if (size < kHeaderBytes) return 0;
    // Aligned private copy, so reads past the input end are caught.
    std::vector<std::uint8_t> dib(data, data + size);
    const jpegdib::DibHeader h = jpegdib::ReadDibHeader(dib.data());
    const std::int64_t width = h.width, height = h.height;
    std::int64_t needed = static_cast<std::int64_t>(kHeaderBytes);
    const bool plausible = width > 0 && height > 0 && width * height <= kMaxPixels;
    if (plausible) {
        const std::int64_t stride = (width * h.bitCount + 31) / 32 * 4;
        needed += 4 * jpegdib::DibColourCount(h.bitCount) + stride * height;
        if (static_cast<std::int64_t>(size) < needed) return 0;
    }

    // Rows one byte longer than a picture row, filled with a marker that must survive behind each
    // row. A header that is not plausible gets rows too short for any picture: it must be refused.
    const std::int64_t rowLength = plausible ? width * 3 + 1 : 2;
    const std::int64_t rowCount = plausible ? height : 1;
    std::vector<std::vector<std::uint8_t>> rows(rowCount, std::vector<std::uint8_t>(rowLength, 0xA5));
    std::vector<std::uint8_t*> rowPointers;
    for (auto& row : rows) rowPointers.push_back(row.data());
    std::string error;
    const bool ok =
        jpegdib::DibToRgbRows(dib.data(), static_cast<int>(rowLength), rowPointers.data(), &error);
    if (!ok && error.empty()) std::abort();
    if (ok) {
        if (!plausible) std::abort();
        for (const auto& row : rows) {
            if (row.back() != 0xA5) std::abort();
        }
    }

    if (plausible && width * height <= kMaxJpegPixels) {
        const std::string path = fuzz::TempDir() + "photo.jpg";
        const int quality = data[kHeaderBytes - 1] % 101;
        std::string jpegError;
        const bool written = jpegdib::WriteJpeg(dib.data(), quality, path.c_str(), &jpegError, Silent);
        if (written != ok) std::abort();
    }
    return 0;
}
