#include "tests/e2e/AviFile.h"

#include <cstring>

namespace e2e {

namespace {
uint32_t U32(const std::vector<uint8_t>& data, size_t at) {
    return at + 4 <= data.size()
               ? data[at] | data[at + 1] << 8 | data[at + 2] << 16 | uint32_t(data[at + 3]) << 24
               : 0;
}
size_t Find(const std::vector<uint8_t>& data, const char* tag) {
    for (size_t i = 0; i + 4 <= data.size(); ++i)
        if (std::memcmp(&data[i], tag, 4) == 0) return i;
    return std::string::npos;
}
}  // namespace

AviSummary ReadAviSummary(const std::vector<uint8_t>& file) {
    AviSummary summary;
    if (file.size() < 64 || std::memcmp(&file[0], "RIFF", 4) != 0 || std::memcmp(&file[8], "AVI ", 4) != 0)
        return summary;
    size_t avih = Find(file, "avih");
    size_t movi = Find(file, "movi");
    if (avih == std::string::npos || movi == std::string::npos) return summary;
    // Main header after the chunk id and size: period, max rate, padding, flags, total frames,
    // initial frames, streams, buffer size, width, height.
    summary.totalFrames = U32(file, avih + 8 + 16);
    summary.width = U32(file, avih + 8 + 32);
    summary.height = U32(file, avih + 8 + 36);
    summary.valid = true;
    return summary;
}

}  // namespace e2e
