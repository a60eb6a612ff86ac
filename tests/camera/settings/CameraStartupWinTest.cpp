// Start-up and exit steps on Windows: program folder, Config.xml from the program's resource,
// the user's picture folder, the language fallback and the exit save.
#include "camera/settings/CameraStartup.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <vector>

#include "camera/libs/PelUtility/PelLang.h"
#include "camera/resources/DefaultConfig.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"
#include "tests/camera/settings/TempFolder.h"

namespace {

std::wstring PicturesFolder() {
    wchar_t buffer[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_MYPICTURES, TRUE);
    return buffer;
}

class CameraStartupTest : public ::testing::Test {
  protected:
    void SetUp() override { CameraSettings.Clear(); }
    void TearDown() override {
        CameraSettings.Clear();
        CPelLang::Release();
    }

    bool Load() {
        return LoadSettingsFromFolder(folder.Folder(), document,
                                      [this](const std::wstring& text) { messages.push_back(text); });
    }

    TempFolder folder;
    CZelParser document;
    std::vector<std::wstring> messages;
};

TEST(ProgramFolderTest, FolderOfTheRunningProgramWithATrailingBackslash) {
    // A buffer large enough for any path: the test may run from a folder deeper than MAX_PATH.
    std::vector<wchar_t> module(32768);
    GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    std::wstring expected(module.data());
    expected.erase(expected.find_last_of(L'\\') + 1);

    wchar_t before[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(L"C:\\");  // whatever the current directory is
    EXPECT_EQ(ProgramFolderOfRunningModule(), expected);
    SetCurrentDirectoryW(before);

    EXPECT_EQ(FolderOfModulePath(L"C:\\Program Files\\PelCamera\\PelCamera.exe"),
              L"C:\\Program Files\\PelCamera\\");
    EXPECT_EQ(FolderOfModulePath(L"PelCamera.exe"), L"");
    const std::wstring deep = L"C:\\" + std::wstring(300, L'd') + L"\\PelCamera.exe";
    EXPECT_EQ(FolderOfModulePath(deep), L"C:\\" + std::wstring(300, L'd') + L"\\");
}

TEST_F(CameraStartupTest, FirstStartWritesTheResourceAndUsesThePictureFolder) {
    ASSERT_TRUE(Load());
    EXPECT_EQ(folder.Read(L"Config.xml"), std::string(kDefaultConfigXml, kDefaultConfigXmlSize));
    EXPECT_EQ(CameraSettings.displaySize, 4);
    EXPECT_EQ(CameraSettings.photoSize, 4);
    const std::wstring pictures = PicturesFolder();
    ASSERT_FALSE(pictures.empty());
    EXPECT_EQ(CameraSettings.albumFolder, pictures + L"\\");
    EXPECT_TRUE(PathIsDirectoryW(CameraSettings.albumFolder.c_str()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(CameraStartupTest, ExistingFoldPathGetsItsBackslash) {
    std::string album = pelutil::ToUtf8(folder.Folder());
    album.pop_back();  // without the trailing backslash
    folder.Write(L"Config.xml", "<Setting><FoldPath>" + album + "</FoldPath></Setting>");
    ASSERT_TRUE(Load());
    EXPECT_EQ(CameraSettings.albumFolder, folder.Folder());
}

TEST_F(CameraStartupTest, LanguageFallsBackTo1033) {
    CreateDirectoryW((folder.Folder() + L"Language").c_str(), nullptr);
    EXPECT_EQ(SetUpLanguageComponent(folder.Folder(), 2052), 0);  // no files at all
    folder.Write(L"Language\\1033.lang", "[MainMenu]\nFile=&File\n");
    EXPECT_EQ(SetUpLanguageComponent(folder.Folder(), 2052), 1033);
    EXPECT_EQ(CPelLang::GetInstance()->GetLangString(L"MainMenu", L"File"), L"&File");
    folder.Write(L"Language\\2052.lang", "[MainMenu]\nFile=\xE6\x96\x87\xE4\xBB\xB6(&F)\n");
    EXPECT_EQ(SetUpLanguageComponent(folder.Folder(), 2052), 2052);
    EXPECT_EQ(CPelLang::GetInstance()->GetLangString(L"MainMenu", L"File"), L"\x6587\x4EF6(&F)");
}

TEST(CommonControlsTest, RegisterAndRichEdit) {
    EXPECT_TRUE(RegisterCommonControls());
    EXPECT_TRUE(InitRichEdit2());
    WNDCLASSW info;
    EXPECT_TRUE(GetClassInfoW(nullptr, L"RichEdit20W", &info));
}

}  // namespace
