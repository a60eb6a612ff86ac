// What a running program holds, read from outside: GDI and USER objects, kernel handles and private
// bytes, and whether its windows still answer.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

namespace reliability {

struct ProcessCounters {
    long gdiObjects = -1;       // GetGuiResources; -1 when not reported
    long userObjects = -1;      // GetGuiResources; -1 when not reported
    long windows = -1;          // top-level and child windows of the process, counted by enumeration
    long handles = -1;          // GetProcessHandleCount
    int64_t privateBytes = -1;  // PROCESS_MEMORY_COUNTERS_EX::PrivateUsage; -1 when not reported
    int64_t workingSet = -1;    // WorkingSetSize (resident memory)
    int64_t virtualBytes = -1;  // committed private memory, summed over the regions (VirtualQueryEx)
};

ProcessCounters ReadCounters(DWORD process);
// Open handles of the process by object type name ("Event", "Key", "Thread", ...).
std::map<std::string, long> HandleTypeCounts(DWORD process);
std::string Describe(const ProcessCounters& counters);

// Every visible top-level window of the process answers WM_NULL within ms.
bool Responds(DWORD process, DWORD ms = 5000);

// Allowed growth of one counter between the start and the end of a run.
struct GrowthBound {
    long absolute;
    double fraction;  // of the start value
    long For(long start) const;
};

}  // namespace reliability
