#include "tests/reliability/ProcessCounters.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>
#include <winternl.h>

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

// The system handle list (information class 16): one entry per open handle of every process.
struct HandleEntry {
    ULONG process;
    UCHAR objectType;
    UCHAR flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};
using QuerySystem = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);

// Committed address space of the process, summed over its regions.
int64_t VirtualBytes(HANDLE process) {
    int64_t committed = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (uintptr_t address = 0; VirtualQueryEx(process, reinterpret_cast<void*>(address), &region,
                                               sizeof(region)) == sizeof(region);) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) committed += region.RegionSize;
        uintptr_t next = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    return committed;
}

std::vector<HandleEntry> SystemHandles() {
    auto query = reinterpret_cast<QuerySystem>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<uint8_t> buffer(1 << 20);
    for (int attempt = 0; query && attempt < 6; ++attempt) {
        ULONG needed = 0;
        if (query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) == 0) {
            auto* list = reinterpret_cast<HandleList*>(buffer.data());
            return std::vector<HandleEntry>(list->entries, list->entries + list->count);
        }
        buffer.resize(std::max<size_t>(buffer.size() * 2, needed + 65536));
    }
    return {};
}

long HandlesInSystemList(DWORD process) {
    const std::vector<HandleEntry> all = SystemHandles();
    if (all.empty()) return -1;
    return static_cast<long>(std::count_if(
        all.begin(), all.end(), [&](const HandleEntry& entry) { return entry.process == process; }));
}

using QueryObject = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

constexpr LONG kStatusKeyDeleted = static_cast<LONG>(0xC000017C);

// The object type's name of a handle ("Event", "Key", ...); a key deleted while open is still a key.
std::string TypeName(QueryObject query, HANDLE object) {
    alignas(8) uint8_t info[2048] = {};
    const LONG status = query(object, 2, info, sizeof(info), nullptr);
    if (status == kStatusKeyDeleted) return "Key";
    if (status != 0) return std::string();
    auto* text = reinterpret_cast<UNICODE_STRING*>(info);
    std::string out;
    for (USHORT i = 0; i < text->Length / 2; ++i) out += static_cast<char>(text->Buffer[i]);
    return out;
}

}  // namespace

std::map<std::string, long> HandleTypeCounts(DWORD process) {
    auto query = reinterpret_cast<QueryObject>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryObject")));
    ScopedHandle source(OpenProcess(PROCESS_DUP_HANDLE, FALSE, process));
    std::map<std::string, long> counts;
    for (const HandleEntry& entry : SystemHandles()) {
        if (entry.process != process) continue;
        HANDLE copy = nullptr;
        if (!source || !query ||
            !DuplicateHandle(source.Get(), reinterpret_cast<HANDLE>(static_cast<uintptr_t>(entry.handle)),
                             GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
            copy = nullptr;
        std::string name = copy ? TypeName(query, copy) : std::string();
        if (name.empty()) name = "type" + std::to_string(entry.objectType);
        if (copy) CloseHandle(copy);
        ++counts[name];
    }
    return counts;
}

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
    if (GetProcessHandleCount(handle.Get(), &handles) && handles)
        counters.handles = static_cast<long>(handles);
    else
        counters.handles = HandlesInSystemList(process);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    if (GetProcessMemoryInfo(handle.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                             sizeof(memory))) {
        if (memory.PrivateUsage) counters.privateBytes = static_cast<int64_t>(memory.PrivateUsage);
        counters.workingSet = static_cast<int64_t>(memory.WorkingSetSize);
    }
    counters.virtualBytes = VirtualBytes(handle.Get());
    TopCount top{process, 0};
    EnumWindows(CountTop, reinterpret_cast<LPARAM>(&top));
    counters.windows = top.count;
    return counters;
}

std::string Describe(const ProcessCounters& c) {
    auto kib = [](int64_t bytes) { return bytes < 0 ? -1LL : static_cast<long long>(bytes / 1024); };
    char line[240];
    std::snprintf(line, sizeof(line),
                  "gdi=%ld user=%ld windows=%ld handles=%ld privateUsage=%lld KiB privateCommitted=%lld KiB "
                  "workingSet=%lld KiB",
                  c.gdiObjects, c.userObjects, c.windows, c.handles, kib(c.privateBytes), kib(c.virtualBytes),
                  kib(c.workingSet));
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
