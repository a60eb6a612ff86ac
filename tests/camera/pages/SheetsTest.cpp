// The two sheets as the frame's commands run them: captions from the language, OK and Cancel only,
// the settings file written by the caller after OK only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera/pages/ConfigSheet.h"
#include "camera/pages/EffectSheet.h"
#include "camera/pages/PageIds.h"
#include "camera/pages/SheetRun.h"
#include "camera/settings/SettingsStore.h"
#include "tests/support/ModalScript.h"
#include "framework/WinApp.h"
#include "tests/camera/pages/PageTestSupport.h"

namespace {

bool Shown(HWND button) {
    return button && (::GetWindowLongPtrW(button, GWL_STYLE) & WS_VISIBLE) != 0;
}

class SheetsTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        ASSERT_TRUE(AfxInitRichEdit2());
    }
    // The frame's own path, with Config.xml written as the program writes it.
    INT_PTR OpenAndSave(UINT command) {
        return RunSheetCommand(command, host, [this] { SaveCameraSettings(programFolder, document); });
    }
    void UseLanguage(const std::string& text) {
        std::filesystem::create_directories(root / L"Language");
        WriteFile(L"Language\\1033.lang", text);
        CPelLang::GetInstance()->SetLanguagePath((programFolder + L"Language\\").c_str());
        ASSERT_EQ(CPelLang::GetInstance()->SetLanguageID(1033), 1033);
    }
};

TEST_F(SheetsTest, OkWritesConfigXmlCancelAndCloseBoxDoNot) {
    const std::string before = ReadFile(L"Config.xml");
    for (int way = 0; way < 2; ++way) {
        fw::ModalScript script;
        script.OnNextSheet([way](CPropertySheet& sheet) {
            ::SendMessage(::GetDlgItem(sheet.GetPage(0)->m_hWnd, IDC_REVERSAL_H), BM_CLICK, 0, 0);
            if (way == 0)
                sheet.PressButton(PSBTN_CANCEL);
            else
                sheet.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        EXPECT_EQ(OpenAndSave(kSettingsCommand), IDCANCEL);
        EXPECT_EQ(ReadFile(L"Config.xml"), before);
    }
    fw::ModalScript script;
    script.OnNextSheet([](CPropertySheet& sheet) {
        ::SendMessage(::GetDlgItem(sheet.GetPage(0)->m_hWnd, IDC_REVERSAL_H), BM_CLICK, 0, 0);
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(OpenAndSave(kSettingsCommand), IDOK);
    EXPECT_NE(ReadFile(L"Config.xml").find("<ReversalH>1</ReversalH>"), std::string::npos);

    // The effects sheet the same way.
    const std::string afterConfig = ReadFile(L"Config.xml");
    script.OnNextSheet([](CPropertySheet& sheet) { sheet.PressButton(PSBTN_CANCEL); });
    EXPECT_EQ(OpenAndSave(kEffectsCommand), IDCANCEL);
    EXPECT_EQ(ReadFile(L"Config.xml"), afterConfig);
    script.OnNextSheet([](CPropertySheet& sheet) {
        ::SetDlgItemTextW(sheet.GetPage(0)->m_hWnd, IDC_TEXT_BOX, L"Hi");
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(OpenAndSave(kEffectsCommand), IDOK);
    EXPECT_NE(ReadFile(L"Config.xml").find("<TextContent>Hi</TextContent>"), std::string::npos);
}

TEST_F(SheetsTest, SheetsShowOnlyOkAndCancelAndReopenWithTheStoredValues) {
    fw::ModalScript script;
    bool apply = true, help = true, ok = false, cancel = false;
    script.OnNextSheet([&](CPropertySheet& sheet) {
        HWND applyButton = ::GetDlgItem(sheet.m_hWnd, 0x3021);  // the sheet's Apply button
        HWND helpButton = ::GetDlgItem(sheet.m_hWnd, 0x0009);
        apply = Shown(applyButton);
        help = Shown(helpButton);
        ok = Shown(::GetDlgItem(sheet.m_hWnd, IDOK));
        cancel = Shown(::GetDlgItem(sheet.m_hWnd, IDCANCEL));
        ::SendMessage(::GetDlgItem(sheet.GetPage(0)->m_hWnd, IDC_ZOOM_3X), BM_CLICK, 0, 0);
        sheet.PressButton(PSBTN_OK);
    });
    int zoomShown = -1;
    script.OnNextSheet([&](CPropertySheet& sheet) {
        for (int i = 0; i < 4; ++i)
            if (::IsDlgButtonChecked(sheet.GetPage(0)->m_hWnd, IDC_ZOOM_1X + i)) zoomShown = i;
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(OpenAndSave(kSettingsCommand), IDOK);
    EXPECT_EQ(OpenAndSave(kSettingsCommand), IDCANCEL);
    EXPECT_FALSE(apply);
    EXPECT_FALSE(help);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(zoomShown, 2);
    ASSERT_EQ(script.dialogs.size(), 2u);
    EXPECT_EQ(script.dialogs[0].caption, CString(L"Config"));
}

TEST_F(SheetsTest, CaptionsComeFromMainMenuWithConfigAndEffectWithoutAnEntry) {
    UseLanguage(
        "[MainMenu]\nFile=&File\n32795=Picture "
        "Effects\n[ID_310]\nTitle=Basics\n[ID_313]\nTitle=Fun\nNoPhotoFrame=Plain\n");
    fw::ModalScript script;
    std::wstring tab, noFrame;
    script.OnNextSheet([&](CPropertySheet& sheet) {
        HWND tabs = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL));
        wchar_t text[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tabs, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        tab = text;
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(OpenAndSave(kSettingsCommand), IDCANCEL);
    EXPECT_EQ(tab, L"Basics");
    script.OnNextSheet([&](CPropertySheet& sheet) {
        noFrame = ItemText(*sheet.GetPage(0), IDC_FRAME_LIST, 0);
        EXPECT_EQ(ItemCount(*sheet.GetPage(0), IDC_FRAME_LIST), 1);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(OpenAndSave(kEffectsCommand), IDCANCEL);
    EXPECT_EQ(noFrame, L"Plain");
    ASSERT_EQ(script.dialogs.size(), 2u);
    EXPECT_EQ(script.dialogs[0].caption, CString(L"Config"));
    EXPECT_EQ(script.dialogs[1].caption, CString(L"Picture Effects"));
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3 + 1, '\0');
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0],
                                           static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(size > 0 ? static_cast<size_t>(size - 1) : 0);
    return out;
}

// Labels, check boxes, radio buttons, group boxes and buttons whose text is wider than the room
// the control gives it, in the control's own font.
std::vector<std::wstring> ClippedLabels(HWND page) {
    std::vector<std::wstring> clipped;
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32] = {}, text[128] = {};
        ::GetClassNameW(child, className, 32);
        ::GetWindowTextW(child, text, 128);
        if (text[0] == 0 || (lstrcmpiW(className, L"Static") != 0 && lstrcmpiW(className, L"Button") != 0))
            continue;
        RECT client{};
        ::GetClientRect(child, &client);
        int room = client.right;
        const LONG_PTR type = ::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
        if (lstrcmpiW(className, L"Button") == 0) {
            if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
                type == BS_RADIOBUTTON)
                room -= ::GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and the gap before the text
            else
                room -= 8;  // a frame's or a group's edges
        }
        HDC dc = ::GetDC(child);
        HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)));
        RECT needed{0, 0, 0, 0};
        ::DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_SINGLELINE);
        ::SelectObject(dc, old);
        ::ReleaseDC(child, dc);
        if (needed.right > room)
            clipped.push_back(std::wstring(text) + L" (" + std::to_wstring(needed.right) + L" > " +
                              std::to_wstring(room) + L")");
    }
    return clipped;
}

// Every text of both pages fits its control, with the shipped English and Chinese texts.
TEST_F(SheetsTest, EveryLabelOfBothPagesFitsInEnglishAndChinese) {
    for (LANGID language : {1033, 2052}) {
        CPelLang::GetInstance()->SetLanguagePath(PELCAMERA_LANGUAGE_DIR);
        ASSERT_EQ(CPelLang::GetInstance()->SetLanguageID(language), language);
        fw::ModalScript script;
        for (UINT command : {kSettingsCommand, kEffectsCommand}) {
            std::vector<std::wstring> clipped;
            script.OnNextSheet([&](CPropertySheet& sheet) {
                clipped = ClippedLabels(sheet.GetPage(0)->m_hWnd);
                sheet.PressButton(PSBTN_CANCEL);
            });
            EXPECT_EQ(OpenAndSave(command), IDCANCEL);
            std::string list;
            for (const std::wstring& label : clipped) list += " [" + Utf8(label) + "]";
            EXPECT_TRUE(clipped.empty()) << "language " << language << ", command " << command << ":" << list;
        }
        CPelLang::Release();
    }
}

}  // namespace
