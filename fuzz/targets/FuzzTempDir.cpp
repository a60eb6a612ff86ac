#include "fuzz/targets/FuzzTempDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fuzz {

namespace {

// A file written and read back on every run: memory-backed /dev/shm is many times faster than a
// disk-backed /tmp.
std::string BaseDir() {
    if (const char* base = std::getenv("FUZZ_TMPDIR"); base && *base) return base;
    if (std::filesystem::is_directory("/dev/shm")) return "/dev/shm";
    const char* base = std::getenv("TMPDIR");
    return base && *base ? base : "/tmp";
}

std::string MakeDir() {
    std::string pattern = BaseDir() + "/fuzz-input-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    return pattern + "/";
}

struct DirOwner {
    std::string path = MakeDir();
    ~DirOwner() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const std::string& TempDir() {
    static DirOwner owner;
    return owner.path;
}

std::string WriteTempFile(const char* name, const std::uint8_t* data, std::size_t size) {
    const std::string path = TempDir() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || (size && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
        std::perror(path.c_str());
        std::abort();
    }
    return path;
}

std::string ReadTempFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace fuzz
