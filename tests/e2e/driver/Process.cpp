#include "tests/e2e/driver/Process.h"

#include <vector>

#include "tests/e2e/driver/Log.h"

namespace e2e {

Process::~Process() {
    Kill();
}

bool Process::Start(const std::wstring& exe, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        Log(L"CreateProcess failed for " + exe + L", error " + std::to_wstring(GetLastError()));
        return false;
    }
    CloseHandle(info.hThread);
    process_.Reset(info.hProcess);
    id_ = info.dwProcessId;
    WaitForInputIdle(info.hProcess, 5000);
    return true;
}

bool Process::Running() const {
    return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool Process::WaitExit(DWORD ms) const {
    return !process_ || WaitForSingleObject(process_.Get(), ms) == WAIT_OBJECT_0;
}

void Process::Kill() {
    if (Running()) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
    process_.Reset();
}

int RunAndWait(const std::wstring& commandLine, DWORD ms) {
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(0);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        Log(L"cannot run " + commandLine + L", error " + std::to_wstring(GetLastError()));
        return -1;
    }
    CloseHandle(info.hThread);
    ScopedHandle process(info.hProcess);
    if (WaitForSingleObject(process.Get(), ms) != WAIT_OBJECT_0) {
        TerminateProcess(process.Get(), 1);
        Log(L"hung: " + commandLine);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    return static_cast<int>(code);
}

}  // namespace e2e
