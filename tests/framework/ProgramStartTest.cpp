// Both programs start, show a window, carry their icon, version and manifest, and end with exit
// code 0 when the user closes what they show (the main window, or a message box in front of it).
// A start whose first window is a message box is a failed start.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The build passes Unix paths; Wine sees the root as drive Z:.
std::wstring WindowsPath(const char* path) {
    std::wstring out = path[0] == '/' ? L"Z:" : L"";
    for (const char* p = path; *p; ++p) out += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
    return out;
}

struct Found {
    DWORD pid;
    HWND wnd;
};

BOOL CALLBACK FindVisibleWindow(HWND wnd, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    // The window in front: a message box over a disabled main window is the one a user closes.
    if (pid == found->pid && ::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) {
        found->wnd = wnd;
        return FALSE;
    }
    return TRUE;
}

// The text of a message box (a dialog with the message text control, id 0xFFFF); empty for others.
std::string MessageBoxText(HWND wnd) {
    char name[16] = {}, text[512] = {};
    ::GetClassNameA(wnd, name, 16);
    return std::string(name) == "#32770" && ::GetDlgItemTextA(wnd, 0xFFFF, text, 512) ? text : "";
}

void ExpectProgramResources(const std::wstring& exe) {
    HMODULE module = ::LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    for (int size : {16, 32, 48}) {
        HANDLE icon = ::LoadImageW(module, MAKEINTRESOURCEW(128), IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon) ::DestroyIcon(static_cast<HICON>(icon));
    }
    EXPECT_NE(::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)), nullptr);  // manifest
    HRSRC version = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));
    ASSERT_NE(version, nullptr);
    EXPECT_GT(::SizeofResource(module, version), 100u);
    ::FreeLibrary(module);
}

void StartFindClose(const char* path) {
    std::wstring exe = WindowsPath(path);
    ExpectProgramResources(exe);

    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(
        ::CreateProcessW(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::WaitForInputIdle(pi.hProcess, 10000);
    // Close whatever window is in front until the program has ended (about 20 s at most).
    int closed = 0;
    for (int i = 0; i < 80 && ::WaitForSingleObject(pi.hProcess, 250) == WAIT_TIMEOUT; ++i) {
        Found found = {pi.dwProcessId, nullptr};
        ::EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&found));
        const std::string box = found.wnd && closed == 0 ? MessageBoxText(found.wnd) : "";
        EXPECT_EQ(box, "") << "the first window";
        if (found.wnd && ::PostMessageW(found.wnd, WM_CLOSE, 0, 0)) ++closed;
    }
    bool ended = ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0;
    if (!ended) ::TerminateProcess(pi.hProcess, 99);  // never leave it running behind the test
    EXPECT_TRUE(ended);
    EXPECT_GE(closed, 1);  // it showed a window and ended because it was closed
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
}

TEST(Programs, OrvelloStartsAndEndsCleanlyWhenItsWindowIsClosed) {
    StartFindClose(ORVELLO_EXE);
}

TEST(Programs, PelCameraStartsAndEndsCleanlyWhenItsWindowIsClosed) {
    StartFindClose(PELCAMERA_EXE);
}

}  // namespace
