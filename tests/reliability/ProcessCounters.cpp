#include "tests/reliability/ProcessCounters.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "framework/Handles.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace reliability {
namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

struct TopCount {
    DWORD process;
    long count;
};

BOOL CALLBACK CountTop(HWND window, LPARAM param) {
    auto* top = reinterpret_cast<TopCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != top->process) return TRUE;
    ++top->count;
    EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&top->count));
    return TRUE;
}

}  // namespace

ProcessCounters ReadCounters(DWORD process) {
    ProcessCounters counters;
    ScopedHandle handle(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process));
    if (!handle) return counters;
    // Zero means "not reported" here: a live GUI process always holds some objects.
    if (DWORD gdi = GetGuiResources(handle.Get(), GR_GDIOBJECTS))
        counters.gdiObjects = static_cast<long>(gdi);
    if (DWORD user = GetGuiResources(handle.Get(), GR_USEROBJECTS))
        counters.userObjects = static_cast<long>(user);
    DWORD handles = 0;
    if (GetProcessHandleCount(handle.Get(), &handles)) counters.handles = static_cast<long>(handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(handle.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory)))
        counters.privateBytes = static_cast<int64_t>(memory.PrivateUsage);
    TopCount top{process, 0};
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&top));
    counters.windows = top.count;
    return counters;
}

std::string Describe(const ProcessCounters& c) {
    char line[200];
    std::snprintf(line, sizeof(line), "gdi=%ld user=%ld windows=%ld handles=%ld private=%lld KiB",
                  c.gdiObjects, c.userObjects, c.windows, c.handles,
                  c.privateBytes < 0 ? -1LL : static_cast<long long>(c.privateBytes / 1024));
    return line;
}

bool Responds(DWORD process, DWORD ms) {
    for (HWND window : e2e::TopWindows(process)) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &result)) return false;
    }
    return true;
}

long GrowthBound::For(long start) const {
    return std::max(absolute, static_cast<long>(start * fraction));
}

}  // namespace reliability
