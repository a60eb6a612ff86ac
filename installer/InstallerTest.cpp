// The setup program run silently as a user would run it (no command line, so for the current user),
// both programs started from the installed folder, Orvello recording there, and the uninstaller
// run: what it leaves must be only the files the programs themselves wrote.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/e2e/AviFile.h"
#include "tests/e2e/driver/Dialogs.h"
#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace e2e {
namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\OrvelloPelCamera";

// Every file under folder, as paths relative to it.
void ListFiles(const std::wstring& folder, const std::wstring& prefix, std::set<std::wstring>& out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder + L"\\" + name, prefix + name + L"\\", out);
        else
            out.insert(prefix + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

std::wstring SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, path, csidl, FALSE);
    return path;
}

// The current user's Start-menu folder of the programs.
std::wstring MenuFolder() {
    return SpecialFolder(CSIDL_PROGRAMS) + L"\\Orvello and PelCamera";
}

bool UninstallKeyExists(HKEY root) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The execution level the setup program's manifest asks Windows for.
std::string RequestedLevel(const std::wstring& exe) {
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "cannot load";
    std::string level = "no manifest";
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
        const std::string manifest(text, SizeofResource(module, found));
        const size_t at = manifest.find("level=\"");
        level = at == std::string::npos ? "no level"
                                        : manifest.substr(at + 7, manifest.find('"', at + 7) - at - 7);
    }
    FreeLibrary(module);
    return level;
}

constexpr int kRecorder = 1056, kRecorderState = 1039, kClose = 1046;

TEST(Installer, InstallsForTheUserProgramsThatRecordThereAndUninstallsLeavingOnlyUserFiles) {
    TestCamCtl(L"plug");
    const std::wstring setup = FromUnixPath(SETUP_EXE);
    EXPECT_EQ(RequestedLevel(setup), "asInvoker") << "setup asks for no elevation";
    const std::wstring target = SpecialFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Orvello and PelCamera";
    RemoveTree(target);  // left by an earlier failed run
    ASSERT_EQ(RunAndWait(L"\"" + setup + L"\" /S", 60000), 0);

    for (const wchar_t* file : {L"Orvello\\Orvello.exe", L"PelCamera\\PelCamera.exe", L"Uninstall.exe"})
        EXPECT_TRUE(Exists(target + L"\\" + file)) << Narrow(file);
    EXPECT_FALSE(FilesIn(target + L"\\Orvello\\Alarm", L"*.wav").empty());
    EXPECT_FALSE(FilesIn(target + L"\\PelCamera\\Effects", L"*.bmp").empty());
    EXPECT_FALSE(FilesIn(target + L"\\PelCamera\\Language", L"*").empty());
    for (const wchar_t* link : {L"Orvello.lnk", L"PelCamera.lnk", L"Uninstall.lnk"})
        EXPECT_TRUE(Exists(MenuFolder() + L"\\" + link)) << Narrow(link);
    EXPECT_FALSE(Exists(SpecialFolder(CSIDL_COMMON_PROGRAMS) + L"\\Orvello and PelCamera"));
    EXPECT_TRUE(UninstallKeyExists(HKEY_CURRENT_USER));
    EXPECT_FALSE(UninstallKeyExists(HKEY_LOCAL_MACHINE));
    std::set<std::wstring> installed;
    ListFiles(target, L"", installed);

    {
        Process orvello;
        ASSERT_TRUE(orvello.Start(target + L"\\Orvello\\Orvello.exe", target + L"\\Orvello"));
        HWND preview = WaitTopByCaption(orvello.Id(), L"Halmere Webcam", 30000);
        EXPECT_NE(preview, nullptr) << "Orvello shows its preview";
        HWND main = WaitTop(orvello.Id(), L"", kRecorder, 5000);
        ASSERT_NE(main, nullptr) << "Orvello shows its main window";
        // A recording into the installed folder, where the AVI and the counter file go by default.
        auto recorder = [&] { return TextOf(ChildById(main, kRecorderState)); };
        PostCommand(main, kRecorder);
        EXPECT_TRUE(WaitUntil([&] { return recorder() == L"Stop recorder"; }, 10000))
            << Narrow(FindMessageBox(orvello.Id()).text);
        Pause(2000);
        PostCommand(main, kRecorder);
        EXPECT_TRUE(WaitUntil([&] { return recorder() == L"Run recorder"; }, 10000));
        EXPECT_EQ(FindMessageBox(orvello.Id()).window, nullptr) << Narrow(FindMessageBox(orvello.Id()).text);
        const AviSummary avi = ReadAviSummary(ReadAll(target + L"\\Orvello\\brenik-00000.avi"));
        EXPECT_TRUE(avi.valid) << "brenik-00000.avi reads back";
        EXPECT_GT(avi.totalFrames, 5u);
        PostCommand(main, kClose);
        EXPECT_TRUE(orvello.WaitExit(10000));
    }
    {
        Process pelcamera;
        ASSERT_TRUE(pelcamera.Start(target + L"\\PelCamera\\PelCamera.exe", target + L"\\PelCamera"));
        HWND frame = WaitTopByCaption(pelcamera.Id(), L"USB2.0 PC CAMERA", 20000);
        EXPECT_NE(frame, nullptr) << "PelCamera shows its window";
        EXPECT_EQ(FindMessageBox(pelcamera.Id()).window, nullptr);
        if (frame) PostMessageW(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(pelcamera.WaitExit(10000));
    }
    std::set<std::wstring> afterRuns;
    ListFiles(target, L"", afterRuns);
    std::set<std::wstring> written;  // what the programs wrote: the user's files
    for (const auto& file : afterRuns)
        if (!installed.count(file)) written.insert(file);
    EXPECT_TRUE(written.count(L"PelCamera\\Config.xml")) << "PelCamera keeps its settings beside it";
    EXPECT_TRUE(written.count(L"Orvello\\brenik.inf")) << "Orvello keeps its counter beside it";

    // The uninstaller copies itself away and returns at once: wait for its work.
    ASSERT_EQ(RunAndWait(L"\"" + target + L"\\Uninstall.exe\" /S", 60000), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(target + L"\\Uninstall.exe"); }, 30000));
    Pause(1000);
    std::set<std::wstring> left;
    ListFiles(target, L"", left);
    EXPECT_EQ(left, written) << "only the files the programs wrote stay";
    EXPECT_FALSE(Exists(MenuFolder()));
    EXPECT_FALSE(UninstallKeyExists(HKEY_CURRENT_USER));
    if (!HasFailure()) RemoveTree(target);
}

}  // namespace
}  // namespace e2e
