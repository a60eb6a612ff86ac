// One line per driver failure, on stderr and the debugger output.
#pragma once
#include <string>

namespace e2e {
void Log(const std::wstring& line);
std::string Narrow(const std::wstring& text);  // UTF-8
std::wstring Widen(const std::string& text);   // from UTF-8
}  // namespace e2e
