// Base64 as the settings file stores the character format: decoding any text (narrow and wide)
// into a buffer of exactly the documented size, and encoding any bytes back and forth.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "camera/libs/PelUtility/Base64.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    std::vector<std::uint8_t> out(size * 3 / 4);
    if (pelutil::Base64Decode(text, size, out.data()) > out.size()) std::abort();

    const std::wstring wide(text, text + size);
    std::vector<std::uint8_t> wideOut(size * 3 / 4);
    if (pelutil::Base64Decode(wide.c_str(), wide.size(), wideOut.data()) > wideOut.size()) std::abort();

    const size_t perLine = size ? data[0] % 80 : 0;
    const std::string encoded = pelutil::Base64Encode(data, size, perLine);
    std::vector<std::uint8_t> back(encoded.size() * 3 / 4 + 1);
    const size_t n = pelutil::Base64Decode(encoded.data(), encoded.size(), back.data());
    if (n != size || (size && std::memcmp(back.data(), data, size) != 0)) std::abort();
    return 0;
}
