#include "monitor/app/AboutBox.h"

namespace about {

// "Orvello by Halmere 2026", each byte rotated right by two bits.
const uint8_t kScrambledCredit[kCreditLength] = {0xD3, 0x9C, 0x9D, 0x59, 0x1B, 0x1B, 0xDB, 0x08,
                                                 0x98, 0x5E, 0x08, 0x12, 0x58, 0x1B, 0x5B, 0x59,
                                                 0x9C, 0x59, 0x08, 0x8C, 0x0C, 0x8C, 0x8D};

std::string UnscrambleCredit(const uint8_t* bytes, int length) {
    std::string text;
    text.reserve(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i) {
        const uint8_t b = bytes[i];
        text.push_back(static_cast<char>(static_cast<uint8_t>((b << 2) | (b >> 6))));
    }
    return text;
}

}  // namespace about
