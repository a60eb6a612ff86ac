#include "tests/monitor/capture/TempFile.h"

#include <windows.h>

namespace capture_test {

std::string TempFile(const std::string& name) {
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace capture_test
