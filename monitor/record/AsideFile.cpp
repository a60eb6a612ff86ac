#include "monitor/record/AsideFile.h"

#include <windows.h>

#include "monitor/record/RecordNames.h"

namespace record {

namespace {

void Log(const char* what, const std::string& path) {
    const std::string line = std::string("Orvello: recorder: ") + what + " " + path + " (error " +
                             std::to_string(::GetLastError()) + ")\n";
    ::OutputDebugStringA(line.c_str());
}

}  // namespace

AsideFile::AsideFile(const std::string& path) : path_(path) {
    if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    std::string folder = FolderOf(path);
    if (folder.empty()) folder = ".";
    char aside[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder.c_str(), "avi", 0, aside)) {
        Log("could not keep the old file", path);
        return;
    }
    if (!::MoveFileExA(path.c_str(), aside, MOVEFILE_REPLACE_EXISTING)) {
        Log("could not keep the old file", path);
        ::DeleteFileA(aside);
        return;
    }
    aside_ = aside;
}

AsideFile::~AsideFile() {
    Restore();
}

void AsideFile::Restore() {
    if (aside_.empty()) return;
    if (!::MoveFileExA(aside_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING))
        Log("could not put back", path_);
    aside_.clear();
}

void AsideFile::Discard() {
    if (aside_.empty()) return;
    ::DeleteFileA(aside_.c_str());
    aside_.clear();
}

}  // namespace record
