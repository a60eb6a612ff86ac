// The AVI counter file of the monitor program: read at start-up, then written back.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/targets/FuzzTempDir.h"
#include "monitor/app/CounterFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteTempFile("Counter.txt", data, size);
    constexpr int kUntouched = -12345;
    int value = kUntouched;
    ReadCounter(value, path.c_str());

    // Nothing but white space (or nothing): 0, written back at once.
    std::size_t first = 0;
    while (first < size && std::isspace(data[first])) ++first;
    if (first == size) {
        if (value != 0 || fuzz::ReadTempFile(path) != "0") std::abort();
        return 0;
    }
    // Otherwise the file is left alone whatever it holds.
    if (fuzz::ReadTempFile(path) != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
    if (value == kUntouched) return 0;

    // A number read is the one the next start reads again after it is written.
    const std::string written = fuzz::WriteTempFile("Counter.txt", nullptr, 0);
    WriteCounter(value, written.c_str());
    int again = kUntouched;
    ReadCounter(again, written.c_str());
    if (again != value) std::abort();
    return 0;
}
