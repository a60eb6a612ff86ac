// AVI files as the recording checks read them back: parse, then cross-check the indexes.
#include <cstdint>
#include <string>
#include <vector>

#include "media/avi/AviReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A private copy of exactly the input's size, so a read past the end is caught.
    const std::vector<std::uint8_t> bytes(data, data + size);
    avi::AviFileInfo info;
    std::string error;
    if (!avi::ParseAvi(bytes.data(), bytes.size(), info, error)) return 0;
    (void)avi::CheckAviIndex(info);
    for (int stream = 0; stream < 3; ++stream) (void)info.ChunkCount(stream);
    return 0;
}
