// Whole-file reading and writing by wide path, the same on Windows and on the host.
#pragma once

#include <string>

namespace pelutil {

// Reads the whole file into `bytes`. False when it cannot be opened or read.
bool ReadWholeFile(const std::wstring& path, std::string& bytes);

// Creates or replaces the file with `bytes`. False when any step fails.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// UTF-8 <-> wide text (UTF-16 on Windows, UTF-32 on the host).
std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace pelutil
