// Shared pieces of the recorder and snapshot tests: the counter file of the test program and small
// file helpers.
#pragma once

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/monitor/window/MonitorHarness.h"

namespace record_test {

inline std::string CounterFile() {
    return monitor_test::ExeFolder() + "\\brenik.inf";
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A fresh folder under the temporary folder.
inline std::string MakeFolder(const char* name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace record_test
