// PelCamera.exe in a program folder of its own: what start-up and exit do to Config.xml, and
// how the program ends when it cannot keep its settings.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

namespace {

namespace fs = std::filesystem;

std::wstring ExePath() {
    std::wstring path = L"Z:";
    for (const char* c = PELCAMERA_EXE; *c; ++c) path += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
    return path;
}

struct Windows {
    DWORD process;
    std::vector<std::pair<HWND, std::wstring>> found;  // top-level windows: handle, class
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
    auto* windows = reinterpret_cast<Windows*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == windows->process && IsWindowVisible(window)) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        windows->found.emplace_back(window, name);
    }
    return TRUE;
}

// The visible top-level windows of a process.
std::vector<std::pair<HWND, std::wstring>> WindowsOf(DWORD process) {
    Windows windows{process, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// All static texts of a dialog, joined.
std::wstring DialogText(HWND dialog) {
    std::wstring all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        all += TextOf(child);
    return all;
}

class ProgramRun {
  public:
    explicit ProgramRun(const fs::path& folder) {
        std::wstring command = L"\"" + (folder / L"PelCamera.exe").wstring() + L"\"";
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        started = CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                                 &si, &info) != FALSE;
        if (!started) {
            // Paths past MAX_PATH only in their extended form.
            const std::wstring program = L"\\\\?\\" + (folder / L"PelCamera.exe").wstring();
            started = CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &si, &info) != FALSE;
        }
    }
    ~ProgramRun() {
        if (!started) return;
        if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    // Waits for a visible window of the class; null on timeout or when the program ended.
    HWND WaitWindow(const wchar_t* className, DWORD ms = 15000) {
        for (DWORD waited = 0; waited < ms; waited += 100) {
            for (auto& [window, name] : WindowsOf(info.dwProcessId))
                if (!className || name == className) return window;
            if (Ended(0)) return nullptr;
            Sleep(100);
        }
        return nullptr;
    }
    bool Ended(DWORD ms) { return WaitForSingleObject(info.hProcess, ms) == WAIT_OBJECT_0; }

    bool started = false;
    PROCESS_INFORMATION info = {};
};

FILETIME OldTime() {
    SYSTEMTIME old = {2001, 1, 1, 1, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&old, &time);
    return time;
}

void SetWriteTime(const fs::path& path, const FILETIME& time) {
    ScopedFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr));
    SetFileTime(file.Get(), nullptr, nullptr, &time);
}

bool WrittenSince(const fs::path& path, const FILETIME& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    return CompareFileTime(&data.ftLastWriteTime, &time) > 0;
}

class PelCameraAppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        probe::RunTestcamctl("plug");
        folder = fs::temp_directory_path() / "pelc-app";
        RemoveFolder(folder);
        fs::create_directories(folder);
        ASSERT_TRUE(CopyFileW(ExePath().c_str(), (folder / L"PelCamera.exe").c_str(), FALSE));
    }
    void TearDown() override { RemoveFolder(folder); }
    // In the extended form, so that folders past MAX_PATH go too.
    static void RemoveFolder(const fs::path& path) {
        std::error_code ignored;
        fs::remove_all(fs::path(L"\\\\?\\" + path.wstring()), ignored);
        fs::remove_all(path, ignored);
    }
    fs::path folder;
};

TEST_F(PelCameraAppTest, FirstStartCreatesConfigAndExitRewritesIt) {
    {
        ProgramRun run(folder);
        ASSERT_TRUE(run.started);
        HWND frame = run.WaitWindow(nullptr);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(TextOf(frame), L"USB2.0 PC CAMERA");
        EXPECT_TRUE(fs::exists(folder / L"Config.xml"));
        // Unchanged settings are written again at exit.
        SetWriteTime(folder / L"Config.xml", OldTime());
        PostMessageW(frame, WM_CLOSE, 0, 0);
        ASSERT_TRUE(run.Ended(15000));
    }
    EXPECT_TRUE(WrittenSince(folder / L"Config.xml", OldTime()));
    EXPECT_EQ(fs::file_size(folder / L"Config.xml"), 486u);
}

TEST_F(PelCameraAppTest, AFailedStartStillRewritesConfig) {
    // The album folder cannot be made: the user's picture folder points at a drive that is not there.
    const wchar_t* key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    HKEY shellFolders = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ | KEY_WRITE, &shellFolders), ERROR_SUCCESS);
    wchar_t saved[MAX_PATH] = {};
    DWORD savedSize = sizeof saved, savedType = 0;
    const bool hadValue = RegQueryValueExW(shellFolders, L"My Pictures", nullptr, &savedType,
                                           reinterpret_cast<BYTE*>(saved), &savedSize) == ERROR_SUCCESS;
    const wchar_t missing[] = L"Q:\\no such drive\\Pictures";
    RegSetValueExW(shellFolders, L"My Pictures", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(missing),
                   sizeof missing);

    // A settings file of the user's own layout, with an extra element.
    {
        FILE* file = _wfopen((folder / L"Config.xml").c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        fputs(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Setting>\r\n<Mine>kept</Mine>\r\n"
            "<FoldPath></FoldPath>\r\n</Setting>\r\n",
            file);
        fclose(file);
    }
    SetWriteTime(folder / L"Config.xml", OldTime());
    std::wstring message;
    bool ended = false;
    {
        ProgramRun run(folder);
        ASSERT_TRUE(run.started);
        HWND box = run.WaitWindow(L"#32770");
        if (box) {
            message = DialogText(box);
            EXPECT_EQ(TextOf(box), L"PelCamera");
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        ended = run.Ended(15000);
    }
    if (hadValue) {
        RegSetValueExW(shellFolders, L"My Pictures", 0, savedType, reinterpret_cast<const BYTE*>(saved),
                       savedSize);
    } else {
        RegDeleteValueW(shellFolders, L"My Pictures");
    }
    RegCloseKey(shellFolders);

    if (message.empty()) GTEST_SKIP() << "the system made the picture folder anyway";
    EXPECT_NE(message.find(L"Create Fold Failed\xFF0C"
                           L"Exit Application\xFF01"),
              std::wstring::npos);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(WrittenSince(folder / L"Config.xml", OldTime()));
    // Written from the loaded document: the user's own element is still there.
    std::string text;
    {
        FILE* file = _wfopen((folder / L"Config.xml").c_str(), L"rb");
        ASSERT_NE(file, nullptr);
        char buffer[1024];
        size_t n = fread(buffer, 1, sizeof buffer, file);
        fclose(file);
        text.assign(buffer, n);
    }
    EXPECT_NE(text.find("<Mine>kept</Mine>"), std::string::npos);
}

TEST_F(PelCameraAppTest, SettingsThatCannotBeWrittenEndTheProgramWithoutAMessage) {
    // Config.xml can be neither loaded nor created (a folder of that name stands in for a
    // program folder the user may not write to).
    fs::create_directories(folder / L"Config.xml");
    ProgramRun run(folder);
    ASSERT_TRUE(run.started);
    bool sawWindow = false;
    for (int i = 0; i < 100 && !run.Ended(0); ++i) {
        if (!WindowsOf(run.info.dwProcessId).empty()) sawWindow = true;
        Sleep(50);
    }
    EXPECT_TRUE(run.Ended(10000));
    EXPECT_FALSE(sawWindow);
    EXPECT_TRUE(fs::is_directory(folder / L"Config.xml"));
}

TEST_F(PelCameraAppTest, RunsFromAFolderWhosePathFillsMaxPath) {
    // The program file's full path is 259 characters: the longest the system starts, and one
    // more than a 259-character buffer holds with its terminator.
    fs::path deep = folder / std::wstring(100, L'd');
    const size_t used = (deep / L"x" / L"PelCamera.exe").wstring().size() - 1;
    ASSERT_LT(used, 259u);
    deep /= std::wstring(259 - used, L'e');
    ASSERT_EQ((deep / L"PelCamera.exe").wstring().size(), 259u);
    std::error_code error;
    fs::create_directories(deep, error);
    ASSERT_FALSE(error);
    ASSERT_TRUE(CopyFileW(ExePath().c_str(), (deep / L"PelCamera.exe").c_str(), FALSE));
    {
        ProgramRun run(deep);
        if (!run.started) GTEST_SKIP() << "the system starts no program from a path this long";
        HWND frame = run.WaitWindow(nullptr);
        ASSERT_NE(frame, nullptr);
        PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(run.Ended(15000));
    }
    // The settings live beside the program, not in a folder named by a cut-off path.
    EXPECT_TRUE(fs::exists(deep / L"Config.xml"));
    EXPECT_EQ(fs::file_size(deep / L"Config.xml", error), 486u);
}

}  // namespace
