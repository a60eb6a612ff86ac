// One debug-output line per failure, with the HRESULT or error code.
#pragma once

#include <windows.h>

#include <cstdio>

namespace yscap {

inline void LogFailure(const char* what, long code) {
    char line[256];
    std::snprintf(line, sizeof line, "YsCapture: %s failed (0x%08lX)\n", what,
                  static_cast<unsigned long>(code));
    ::OutputDebugStringA(line);
}

}  // namespace yscap
