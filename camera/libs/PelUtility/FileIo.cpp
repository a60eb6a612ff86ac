#include "camera/libs/PelUtility/FileIo.h"

#include <cstdio>
#include <memory>

#include "pugixml.hpp"

namespace pelutil {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenFile(const std::wstring& path, bool write) {
#ifdef _WIN32
    return FilePtr(_wfopen(path.c_str(), write ? L"wb" : L"rb"));
#else
    return FilePtr(std::fopen(ToUtf8(path).c_str(), write ? "wb" : "rb"));
#endif
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
    return pugi::as_utf8(text);
}

std::wstring FromUtf8(const std::string& text) {
    return pugi::as_wide(text);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
    FilePtr file = OpenFile(path, false);
    if (!file) return false;
    std::string result;
    char chunk[16384];
    for (;;) {
        size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        result.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) return false;
    bytes = std::move(result);
    return true;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    FilePtr file = OpenFile(path, true);
    if (!file) return false;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        return false;
    return std::fclose(file.release()) == 0;
}

}  // namespace pelutil
