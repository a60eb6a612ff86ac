// The effects page in its sheet, driven through the modal seam with a stand-in frame.
#include "camera/pages/BasicEftPage.h"

#include <gtest/gtest.h>

#include <cstring>

#include "camera/pages/EffectSheet.h"
#include "camera/pages/PageIds.h"
#include "camera/pages/SheetRun.h"
#include "camera/settings/SettingsStore.h"
#include "framework/FontDialog.h"
#include "tests/support/ModalScript.h"
#include "framework/WinApp.h"
#include "tests/camera/pages/PageTestSupport.h"

namespace {

using Reversal = FakePageHost::Reversal;

class BasicEftPageTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        ASSERT_TRUE(AfxInitRichEdit2());
    }
    INT_PTR Run(const std::function<void(CPropertySheet&, CBasicEftPage&)>& drive) {
        fw::ModalScript script;
        script.OnNextSheet([&](CPropertySheet& sheet) {
            EXPECT_EQ(CameraSettings.effectsPageOpen, 1);
            drive(sheet, static_cast<CEffectSheet&>(sheet).effectsPage);
        });
        const INT_PTR result = RunSheetCommand(kEffectsCommand, host);
        EXPECT_EQ(CameraSettings.effectsPageOpen, 0);
        return result;
    }
    // Windows file names ignore case, so "Gold.bmp" and "gold.BMP" cannot share a folder: the
    // upper-case extension is "silver.BMP" here.
    void MakeEffects() {
        std::filesystem::create_directories(root / L"Effects" / L"Frame.bmp");
        for (const wchar_t* name :
             {L"Gold.bmp", L"silver.BMP", L"Wood.bmp.bak", L"a.b.bmp", L"Hearts.Bmp", L"notes.txt"})
            WriteFile(std::wstring(L"Effects\\") + name, "x");
    }
    static void SetText(CBasicEftPage& page, const wchar_t* text) {
        ::SetDlgItemTextW(page.m_hWnd, IDC_TEXT_BOX, text);
    }
    static void Slide(CBasicEftPage& page, int position) {
        HWND slider = ::GetDlgItem(page.m_hWnd, IDC_MOSAIC_SLIDER);
        ::SendMessage(slider, TBM_SETPOS, TRUE, position);
        ::SendMessage(page.m_hWnd, WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, position),
                      reinterpret_cast<LPARAM>(slider));
    }
    static CharFormatRecord Arial() {
        CharFormatRecord format;
        std::memset(&format, 0, sizeof format);
        format.cbSize = sizeof format;
        format.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_COLOR;
        format.dwEffects = CFE_BOLD;
        format.yHeight = 240;
        format.crTextColor = RGB(0, 0, 255);
        wcscpy(format.szFaceName, L"Arial");
        return format;
    }
};

TEST_F(BasicEftPageTest, FrameListFollowsTheEffectsFolderNameRule) {
    MakeEffects();
    std::vector<std::wstring> items;
    Run([&](CPropertySheet& sheet, CBasicEftPage& page) {
        for (int i = 0; i < ItemCount(page, IDC_FRAME_LIST); ++i)
            items.push_back(ItemText(page, IDC_FRAME_LIST, i));
        sheet.PressButton(PSBTN_CANCEL);
    });
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0], L"\x65E0\x76F8\x6846");  // the template's no-frame item
    std::vector<std::wstring> frames(items.begin() + 1, items.end());
    std::sort(frames.begin(), frames.end());
    EXPECT_EQ(frames, (std::vector<std::wstring>{L"Gold", L"Hearts", L"silver"}));
}

TEST_F(BasicEftPageTest, StoredFrameIsSelectedExactlyAndAMissingOneFallsBackToNoFrame) {
    MakeEffects();
    CameraSettings.photoFrame = L"Gold";
    std::wstring shown;
    Run([&](CPropertySheet& sheet, CBasicEftPage& page) {
        const int selected = static_cast<int>(page.SendDlgItemMessage(IDC_FRAME_LIST, CB_GETCURSEL));
        shown = ItemText(page, IDC_FRAME_LIST, selected);
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(shown, L"Gold");

    // Names match case-sensitively: "gold" is not the listed "Gold".
    CameraSettings.photoFrame = L"gold";
    EXPECT_EQ(IDOK, Run([&](CPropertySheet& sheet, CBasicEftPage& page) {
                  EXPECT_EQ(page.SendDlgItemMessage(IDC_FRAME_LIST, CB_GETCURSEL), 0);
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(CameraSettings.photoFrame, L"");
    EXPECT_EQ(Element(L"PhotoFrame"), L"");
}

TEST_F(BasicEftPageTest, NoEffectsFolderLeavesOnlyTheNoFrameItem) {
    Run([](CPropertySheet& sheet, CBasicEftPage& page) {
        EXPECT_EQ(ItemCount(page, IDC_FRAME_LIST), 1);
        EXPECT_EQ(page.SendDlgItemMessage(IDC_FRAME_LIST, CB_GETCURSEL), 0);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(BasicEftPageTest, ChoosingAFrameShowsItAtOnceAndNoFrameClears) {
    MakeEffects();
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicEftPage& page) {
                  for (int i = 1; i < ItemCount(page, IDC_FRAME_LIST); ++i)
                      if (ItemText(page, IDC_FRAME_LIST, i) == L"Gold") SelectItem(page, IDC_FRAME_LIST, i);
                  SelectItem(page, IDC_FRAME_LIST, 0);
                  for (int i = 1; i < ItemCount(page, IDC_FRAME_LIST); ++i)
                      if (ItemText(page, IDC_FRAME_LIST, i) == L"Hearts") SelectItem(page, IDC_FRAME_LIST, i);
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(host.frames, (std::vector<std::wstring>{L"Gold", L"", L"Hearts"}));
    EXPECT_EQ(CameraSettings.photoFrame, L"Hearts");
    EXPECT_EQ(Element(L"PhotoFrame"), L"Hearts");
}

TEST_F(BasicEftPageTest, SliderSendsEachChangedPositionOnce) {
    CameraSettings.reversalH = 1;
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicEftPage& page) {
                  EXPECT_EQ(::SendDlgItemMessage(page.m_hWnd, IDC_MOSAIC_SLIDER, TBM_GETRANGEMAX, 0, 0), 24);
                  EXPECT_EQ(::SendDlgItemMessage(page.m_hWnd, IDC_MOSAIC_SLIDER, TBM_GETPAGESIZE, 0, 0), 4);
                  for (int position = 0; position <= 24; ++position) {
                      Slide(page, position);
                      Slide(page, position);  // the same position again, as thumb-position follows track
                  }
                  sheet.PressButton(PSBTN_OK);
              }));
    ASSERT_EQ(host.reversals.size(), 24u);  // 0 was already the stored value
    for (int i = 0; i < 24; ++i) EXPECT_EQ(host.reversals[static_cast<size_t>(i)], (Reversal{0, 1, i + 1}));
    EXPECT_EQ(CameraSettings.mosaicWidth, 24);
    EXPECT_EQ(Element(L"MosaicWidth"), L"24");
}

TEST_F(BasicEftPageTest, OkWithoutApplyStoresAndShowsTheText) {
    CameraSettings.charFormat = Arial();
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicEftPage& page) {
                  SetText(page, L"Hello");
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(CameraSettings.textContent, L"Hello");
    EXPECT_EQ(Element(L"TextContent"), L"Hello");
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_EQ(host.texts[0].text, L"Hello");
    EXPECT_STREQ(host.texts[0].format.szFaceName, L"Arial");
    CharFormatRecord stored;
    DecodeCharFormat(Element(L"CharFormat"), stored);
    EXPECT_EQ(0, std::memcmp(&stored, &CameraSettings.charFormat, sizeof stored));
}

TEST_F(BasicEftPageTest, ApplyThenCancelPutsTheStoredEffectsBack) {
    CameraSettings.charFormat = Arial();
    CameraSettings.textContent = L"Stored";
    CameraSettings.photoFrame = L"";
    CameraSettings.mosaicWidth = 3;
    const std::string before = ReadFile(L"Config.xml");
    EXPECT_EQ(IDCANCEL, Run([](CPropertySheet& sheet, CBasicEftPage& page) {
                  SetText(page, L"Typed");
                  Click(page, IDC_APPLY_TEXT);
                  Slide(page, 10);
                  sheet.PressButton(PSBTN_CANCEL);
              }));
    ASSERT_EQ(host.texts.size(), 2u);
    EXPECT_EQ(host.texts[0].text, L"Typed");
    EXPECT_EQ(host.texts[1].text, L"Stored");
    EXPECT_EQ(host.reversals.back(), (Reversal{0, 0, 3}));
    EXPECT_EQ(host.frames, std::vector<std::wstring>{L""});
    EXPECT_EQ(CameraSettings.textContent, L"Stored");
    EXPECT_EQ(CameraSettings.mosaicWidth, 3);
    EXPECT_EQ(ReadFile(L"Config.xml"), before);
}

TEST_F(BasicEftPageTest, AllZeroStoredFormatAdoptsTheTextBoxFontAndOkStoresIt) {
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicEftPage& page) {
                  SetText(page, L"abc");
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_NE(CameraSettings.charFormat.szFaceName[0], 0);
    EXPECT_GT(CameraSettings.charFormat.yHeight, 0);
    EXPECT_FALSE(Element(L"CharFormat").empty());
    ASSERT_EQ(host.texts.size(), 1u);
    EXPECT_STREQ(host.texts[0].format.szFaceName, CameraSettings.charFormat.szFaceName);
}

TEST_F(BasicEftPageTest, FontDialogChangeReachesTheMemberButNotThePicture) {
    CameraSettings.charFormat = Arial();
    int fontDialogs = 0;
    EXPECT_EQ(IDOK, Run([&](CPropertySheet& sheet, CBasicEftPage& page) {
                  fw::ModalScript fonts;
                  fonts.OnNextFontDialog([](CFontDialog& dialog) { return IDCANCEL; });
                  fonts.OnNextFontDialog([](CFontDialog& dialog) {
                      wcscpy(dialog.m_lf.lfFaceName, L"Courier New");
                      dialog.m_lf.lfHeight = -20;
                      dialog.m_cf.iPointSize = 150;
                      dialog.m_lf.lfWeight = FW_NORMAL;
                      return IDOK;
                  });
                  Click(page, IDC_CHOOSE_FONT);
                  EXPECT_STREQ(page.charFormat_.szFaceName, L"Arial");
                  Click(page, IDC_CHOOSE_FONT);
                  fontDialogs = fonts.fontDialogs;
                  EXPECT_STREQ(page.charFormat_.szFaceName, L"Courier New");
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(fontDialogs, 2);
    EXPECT_STREQ(CameraSettings.charFormat.szFaceName, L"Courier New");
    EXPECT_EQ(host.texts.size(), 1u);  // only OK's own apply
}

}  // namespace
