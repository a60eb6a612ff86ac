// A fresh folder for one test, removed with everything in it afterwards. Its path ends with the
// platform's separator, like the program folder.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "camera/libs/PelUtility/FileIo.h"

class TempFolder {
  public:
    TempFolder() {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("pelu-" + std::to_string(stamp) + "-" + std::to_string(counter++));
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    // With a trailing separator.
    std::wstring Folder() const { return (path_ / "").wstring(); }
    std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }
    std::string Read(const std::wstring& name) const {
        std::string bytes;
        pelutil::ReadWholeFile(File(name), bytes);
        return bytes;
    }
    void Write(const std::wstring& name, const std::string& bytes) const {
        pelutil::WriteWholeFile(File(name), bytes);
    }
    bool Exists(const std::wstring& name) const { return std::filesystem::exists(path_ / name); }

  private:
    std::filesystem::path path_;
};
