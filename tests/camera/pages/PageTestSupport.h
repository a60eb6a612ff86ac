// A program folder with Config.xml (the default document) loaded, CameraSettings set to known
// values, and helpers to drive page controls the way a user does.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/settings/CameraSettings.h"
#include "tests/camera/pages/FakePageHost.h"

constexpr char kDefaultConfig[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Setting>\r\n"
    "  <DisplaySize>4</DisplaySize>\r\n  <PhotoSize>4</PhotoSize>\r\n  <FoldPath></FoldPath>\r\n"
    "  <ReversalV>0</ReversalV>\r\n  <ReversalH>0</ReversalH>\r\n  <CharFormat></CharFormat>\r\n"
    "  <TextContent></TextContent>\r\n  <PhotoFrame></PhotoFrame>\r\n  <MosaicWidth>0</MosaicWidth>\r\n"
    "  <Frequency>0</Frequency>\r\n  <ZoomOut>0</ZoomOut>\r\n  <Language></Language>\r\n"
    "  <VideoDisplayName></VideoDisplayName>\r\n  <AudioDisplayName></AudioDisplayName>\r\n</Setting>\r\n";

class PageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static int counter = 0;
        root = std::filesystem::temp_directory_path() /
               (L"pages-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / L"Album");
        programFolder = (root / L"").wstring();
        WriteFile(L"Config.xml", kDefaultConfig);
        ASSERT_TRUE(document.Load(ConfigPath().c_str()));
        CPelLang::Release();  // no language file: the templates' own texts
        CameraSettings.Clear();
        CameraSettings.displaySize = 4;
        CameraSettings.photoSize = 4;
        CameraSettings.albumFolder = programFolder + L"Album\\";
        host.programFolder = programFolder;
        host.document = &document;
    }
    void TearDown() override {
        CPelLang::Release();
        CameraSettings.Clear();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::wstring ConfigPath() const { return programFolder + L"Config.xml"; }
    void WriteFile(const std::wstring& name, const std::string& bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    std::string ReadFile(const std::wstring& name) const {
        std::ifstream in(root / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::wstring Element(const wchar_t* name) {
        document.ResetPos();
        document.FindFirstElem(L"Setting");
        document.IntoElem();
        return document.GetFirstData(name);
    }

    std::filesystem::path root;
    std::wstring programFolder;
    CZelParser document;
    FakePageHost host;
};

// A click on a check box, radio button or push button of a page, as the mouse gives it.
inline void Click(CWnd& page, int id) {
    ::SendMessage(::GetDlgItem(page.m_hWnd, id), BM_CLICK, 0, 0);
}

inline void SelectItem(CWnd& page, int id, int index) {
    HWND box = ::GetDlgItem(page.m_hWnd, id);
    ::SendMessage(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessage(page.m_hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

inline std::wstring ItemText(CWnd& page, int id, int index) {
    HWND box = ::GetDlgItem(page.m_hWnd, id);
    const LRESULT length = ::SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return L"<none>";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

inline int ItemCount(CWnd& page, int id) {
    return static_cast<int>(::SendDlgItemMessageW(page.m_hWnd, id, CB_GETCOUNT, 0, 0));
}
