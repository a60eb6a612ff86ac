// Standard Base64 (RFC 4648 alphabet, '=' padding) for the settings file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pelutil {

// Encodes `length` bytes. `bytesPerLine` > 0 breaks the text with CR LF after every that many
// input bytes (rounded down to whole groups of three); 0 keeps it on one line.
std::string Base64Encode(const uint8_t* data, size_t length, size_t bytesPerLine = 0);

// Decodes up to `length` characters into `out`, which must hold length * 3 / 4 bytes. White space
// is skipped; decoding ends at the padding or at the first character outside the alphabet.
// Returns the number of bytes written; a trailing group of two or three characters gives one or
// two bytes.
size_t Base64Decode(const char* text, size_t length, uint8_t* out);
size_t Base64Decode(const wchar_t* text, size_t length, uint8_t* out);

}  // namespace pelutil
