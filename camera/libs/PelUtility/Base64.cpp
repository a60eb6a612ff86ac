#include "camera/libs/PelUtility/Base64.h"

namespace pelutil {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int ValueOf(uint32_t c) {
    if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A');
    if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a') + 26;
    if (c >= '0' && c <= '9') return static_cast<int>(c - '0') + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

template <typename Char>
size_t Decode(const Char* text, size_t length, uint8_t* out) {
    if (!text || !out) return 0;
    size_t written = 0;
    uint32_t group = 0;
    int count = 0;
    for (size_t i = 0; i < length; ++i) {
        uint32_t c = static_cast<uint32_t>(text[i]);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
        int value = ValueOf(c);
        if (value < 0) break;  // padding, terminator or foreign character
        group = (group << 6) | static_cast<uint32_t>(value);
        if (++count == 4) {
            out[written++] = static_cast<uint8_t>(group >> 16);
            out[written++] = static_cast<uint8_t>(group >> 8);
            out[written++] = static_cast<uint8_t>(group);
            group = 0;
            count = 0;
        }
    }
    if (count == 2) {
        out[written++] = static_cast<uint8_t>(group >> 4);
    } else if (count == 3) {
        out[written++] = static_cast<uint8_t>(group >> 10);
        out[written++] = static_cast<uint8_t>(group >> 2);
    }
    return written;
}

}  // namespace

std::string Base64Encode(const uint8_t* data, size_t length, size_t bytesPerLine) {
    std::string out;
    if (!data) return out;
    size_t groupsPerLine = bytesPerLine / 3;
    out.reserve((length + 2) / 3 * 4 + 2 * (groupsPerLine ? length / (groupsPerLine * 3) : 0));
    size_t groupsOnLine = 0;
    for (size_t i = 0; i < length; i += 3) {
        if (groupsPerLine && groupsOnLine == groupsPerLine) {
            out += "\r\n";
            groupsOnLine = 0;
        }
        uint32_t group = static_cast<uint32_t>(data[i]) << 16;
        if (i + 1 < length) group |= static_cast<uint32_t>(data[i + 1]) << 8;
        if (i + 2 < length) group |= data[i + 2];
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += i + 1 < length ? kAlphabet[(group >> 6) & 63] : '=';
        out += i + 2 < length ? kAlphabet[group & 63] : '=';
        ++groupsOnLine;
    }
    return out;
}

size_t Base64Decode(const char* text, size_t length, uint8_t* out) {
    return Decode(text, length, out);
}

size_t Base64Decode(const wchar_t* text, size_t length, uint8_t* out) {
    return Decode(text, length, out);
}

}  // namespace pelutil
