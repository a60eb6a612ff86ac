// setup.exe installed silently into a fresh folder, both programs started from there, and the
// uninstaller run: what it leaves must be only the files the programs themselves wrote.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

std::wstring MenuFolder() {
    wchar_t programs[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, programs, CSIDL_COMMON_PROGRAMS, FALSE);
    return std::wstring(programs) + L"\\Orvello and PelCamera";
}

bool UninstallKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST(Installer, InstallsBothProgramsThatRunAndUninstallsLeavingOnlyUserFiles) {
    TestCamCtl(L"plug");
    std::wstring target = FreshFolder(L"installed") + L"\\Webcam Programs";
    ASSERT_EQ(RunAndWait(L"\"" + FromUnixPath(SETUP_EXE) + L"\" /S /D=" + target, 60000), 0);

    for (const wchar_t* file : {L"Orvello\\Orvello.exe", L"PelCamera\\PelCamera.exe", L"Uninstall.exe"})
        EXPECT_TRUE(Exists(target + L"\\" + file)) << Narrow(file);
    EXPECT_FALSE(FilesIn(target + L"\\Orvello\\Alarm", L"*.wav").empty());
    EXPECT_FALSE(FilesIn(target + L"\\PelCamera\\Effects", L"*.bmp").empty());
    EXPECT_FALSE(FilesIn(target + L"\\PelCamera\\Language", L"*").empty());
    for (const wchar_t* link : {L"Orvello.lnk", L"PelCamera.lnk", L"Uninstall.lnk"})
        EXPECT_TRUE(Exists(MenuFolder() + L"\\" + link)) << Narrow(link);
    EXPECT_TRUE(UninstallKeyExists());
    std::set<std::wstring> installed;
    ListFiles(target, L"", installed);

    {
        Process orvello;
        ASSERT_TRUE(orvello.Start(target + L"\\Orvello\\Orvello.exe", target + L"\\Orvello"));
        HWND preview = WaitTopByCaption(orvello.Id(), L"Halmere Webcam", 30000);
        EXPECT_NE(preview, nullptr) << "Orvello shows its preview";
        HWND main = FindTop(orvello.Id(), L"", 1056);
        EXPECT_NE(main, nullptr) << "Orvello shows its main window";
        if (main) PostCommand(main, 1046);
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

    // The uninstaller copies itself away and returns at once: wait for its work.
    ASSERT_EQ(RunAndWait(L"\"" + target + L"\\Uninstall.exe\" /S", 60000), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(target + L"\\Uninstall.exe"); }, 30000));
    Pause(1000);
    std::set<std::wstring> left;
    ListFiles(target, L"", left);
    EXPECT_EQ(left, written) << "only the files the programs wrote stay";
    EXPECT_FALSE(Exists(MenuFolder()));
    EXPECT_FALSE(UninstallKeyExists());
    if (!HasFailure()) RemoveTree(target);
}

}  // namespace
}  // namespace e2e
