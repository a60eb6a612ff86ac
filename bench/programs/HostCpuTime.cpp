#include "bench/programs/HostCpuTime.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>
#include <sstream>

#include "framework/Handles.h"

namespace programbench {
namespace {

constexpr double kTicksPerSecond = 100;  // the host kernel's USER_HZ on x86

// A /proc file's bytes; procfs reports size 0, so read until the end.
std::string ReadProcFile(const std::wstring& path) {
    const ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file) return {};
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
    return bytes;
}

// utime + stime (fields 14 and 15) of a stat line; the name in parentheses may hold spaces.
double CpuSecondsFromStat(const std::string& stat) {
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos) return -1;
    std::istringstream fields(stat.substr(nameEnd + 1));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int index = 3; fields >> field; ++index) {  // the state is field 3
        if (index == 14) user = std::stoull(field);
        if (index == 15) {
            system = std::stoull(field);
            return static_cast<double>(user + system) / kTicksPerSecond;
        }
    }
    return -1;
}

// Wine shows a process's command line with the Windows path of its image as the first argument.
std::wstring ImageOf(const std::wstring& procFolder) {
    const std::string cmdline = ReadProcFile(procFolder + L"\\cmdline");
    const std::string first = cmdline.substr(0, cmdline.find('\0'));
    if (first.empty()) return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, first.data(), static_cast<int>(first.size()), nullptr, 0);
    std::wstring image(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, first.data(), static_cast<int>(first.size()), &image[0], length);
    return image;
}

}  // namespace

double HostCpuSecondsOf(const std::wstring& exe) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return -1;
    double seconds = -1;
    do {
        if (!std::iswdigit(entry.cFileName[0])) continue;
        const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
        if (_wcsicmp(ImageOf(folder).c_str(), exe.c_str()) == 0) {
            seconds = CpuSecondsFromStat(ReadProcFile(folder + L"\\stat"));
            break;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return seconds;
}

double HostCpuSecondsOfSelf() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    const auto hundredNs = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (hundredNs(kernel) + hundredNs(user)) / 1e7;
}

}  // namespace programbench
