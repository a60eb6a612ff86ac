// A private folder per fuzzing process for the readers that take a path, and a helper that puts
// the input bytes into a file there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// The folder (ending with '/'), created on first use and removed at exit with everything in it.
const std::string& TempDir();

// Replaces the file `name` in TempDir() with the bytes; returns its full path. Aborts when the
// file cannot be written, so a broken harness never looks like a quiet run.
std::string WriteTempFile(const char* name, const std::uint8_t* data, std::size_t size);

// Reads the file back whole (empty when it is missing).
std::string ReadTempFile(const std::string& path);

}  // namespace fuzz
