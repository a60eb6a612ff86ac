// Keeps an existing file out of the way while a recording starts at its path. A start that fails
// removes what it began to write there; the old file must not go with it, so it is moved to a
// temporary name in the same folder and put back unless the new recording really started.
#pragma once

#include <string>

namespace record {

class AsideFile {
  public:
    // Moves a file at `path`, if there is one, to a temporary name beside it.
    explicit AsideFile(const std::string& path);
    // Puts a kept file back if neither Restore nor Discard was called.
    ~AsideFile();
    AsideFile(const AsideFile&) = delete;
    AsideFile& operator=(const AsideFile&) = delete;

    // The start failed: the old file returns to its path.
    void Restore();
    // The new recording replaces the old file: the kept copy is deleted.
    void Discard();

  private:
    std::string path_;
    std::string aside_;  // empty when nothing is kept
};

}  // namespace record
