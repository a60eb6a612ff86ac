#include "monitor/app/CounterFile.h"

#include <cctype>
#include <climits>
#include <cstdio>

namespace {

#ifdef _WIN32
constexpr const char* kReadMode = "rt";
constexpr const char* kWriteMode = "wt";
#else
constexpr const char* kReadMode = "r";
constexpr const char* kWriteMode = "w";
#endif

enum class Scan { EndOfInput, NoMatch, Number };

// Reads one "%d" the way scanf does (leading white space, optional sign, digits), but a number
// outside the int range counts as no match instead of undefined behaviour.
Scan ScanInt(std::FILE* file, int& out) {
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c)) c = std::fgetc(file);
    if (c == EOF) return Scan::EndOfInput;
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = std::fgetc(file);
    }
    if (c == EOF || !std::isdigit(c)) return Scan::NoMatch;
    long long magnitude = 0;
    bool overflow = false;
    for (; c != EOF && std::isdigit(c); c = std::fgetc(file)) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > static_cast<long long>(INT_MAX) + 1) {
            overflow = true;
            magnitude = static_cast<long long>(INT_MAX) + 1;
        }
    }
    const long long value = negative ? -magnitude : magnitude;
    if (overflow || value > INT_MAX || value < INT_MIN) return Scan::NoMatch;
    out = static_cast<int>(value);
    return Scan::Number;
}

}  // namespace

void ReadCounter(int& value, const char* path) {
    std::FILE* file = std::fopen(path, kReadMode);
    Scan result = Scan::EndOfInput;
    if (file) {
        result = ScanInt(file, value);
        std::fclose(file);
    }
    if (result != Scan::EndOfInput) return;
    // Missing or empty: numbering starts again at 0 and the file is made again.
    value = 0;
    WriteCounter(value, path);
}

void WriteCounter(int value, const char* path) {
    std::FILE* file = std::fopen(path, kWriteMode);
    if (!file) return;
    std::fprintf(file, "%d", value);
    std::fclose(file);
}
