// Paths in the temporary folder for files the tests write.
#pragma once

#include <string>

namespace capture_test {

std::string TempFile(const std::string& name);

}  // namespace capture_test
