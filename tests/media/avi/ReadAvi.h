// Reads an AVI file back for a test: a file the reader cannot parse fails the calling test (with
// the reader's reason) and gives an empty description.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "media/avi/AviReader.h"

namespace avi_test {

inline avi::AviFileInfo ReadAvi(const std::string& path) {
    avi::AviFileInfo info;
    std::string error;
    EXPECT_TRUE(avi::ParseAviFile(path, info, error)) << path << ": " << error;
    return info;
}

}  // namespace avi_test
