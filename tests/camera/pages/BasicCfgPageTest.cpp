// The basic configuration page in its sheet, driven through the modal seam with a stand-in frame.
#include "camera/pages/BasicCfgPage.h"

#include <gtest/gtest.h>

#include "camera/libs/PelUtility/FolderDialog.h"
#include "camera/pages/ConfigSheet.h"
#include "camera/pages/PageIds.h"
#include "camera/pages/SheetRun.h"
#include "camera/resources/SizeLists.h"
#include "tests/support/ModalScript.h"
#include "tests/camera/pages/PageTestSupport.h"

namespace {

using Reversal = FakePageHost::Reversal;

class BasicCfgPageTest : public PageTest {
  protected:
    // Runs the configuration sheet; `drive` gets its page, created and initialised.
    INT_PTR Run(const std::function<void(CPropertySheet&, CBasicCfgPage&)>& drive) {
        fw::ModalScript script;
        script.OnNextSheet(
            [&](CPropertySheet& sheet) { drive(sheet, static_cast<CConfigSheet&>(sheet).basicPage); });
        return RunSheetCommand(kSettingsCommand, host);
    }
};

TEST_F(BasicCfgPageTest, ListsHoldTheThirteenOutputAndSixteenPhotoSizesInOrder) {
    Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
        ASSERT_EQ(ItemCount(page, IDC_DISPLAY_SIZE), kOutputSizeCount);
        for (int i = 0; i < kOutputSizeCount; ++i)
            EXPECT_EQ(ItemText(page, IDC_DISPLAY_SIZE, i), kOutputSizes[i].text);
        ASSERT_EQ(ItemCount(page, IDC_PHOTO_SIZE), kPhotoSizeListCount);
        for (int i = 0; i < kPhotoSizeListCount; ++i)
            EXPECT_EQ(ItemText(page, IDC_PHOTO_SIZE, i), kPhotoSizes[i].text);
        EXPECT_EQ(page.SendDlgItemMessage(IDC_DISPLAY_SIZE, CB_GETCURSEL), 4);
        EXPECT_EQ(page.SendDlgItemMessage(IDC_PHOTO_SIZE, CB_GETCURSEL), 4);
        sheet.PressButton(PSBTN_CANCEL);
    });
}

TEST_F(BasicCfgPageTest, FlipsActAtOnceAndCancelPutsTheStoredOnesBack) {
    CameraSettings.reversalV = 1;
    CameraSettings.mosaicWidth = 7;
    CameraSettings.zoomOut = 2;
    const std::string before = ReadFile(L"Config.xml");
    EXPECT_EQ(IDCANCEL, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  EXPECT_EQ(page.SendDlgItemMessage(IDC_REVERSAL_V, BM_GETCHECK), BST_CHECKED);
                  EXPECT_EQ(page.SendDlgItemMessage(IDC_REVERSAL_H, BM_GETCHECK), BST_UNCHECKED);
                  Click(page, IDC_REVERSAL_H);  // mirror on
                  Click(page, IDC_REVERSAL_V);  // upside down off
                  Click(page, IDC_REVERSAL_H);  // mirror off again
                  sheet.PressButton(PSBTN_CANCEL);
              }));
    const std::vector<Reversal> expected = {{1, 1, 7}, {0, 1, 7}, {0, 0, 7}, {1, 0, 7}};
    EXPECT_EQ(host.reversals, expected);
    EXPECT_EQ(host.zooms, std::vector<int>{2});  // the stored zoom back
    EXPECT_EQ(CameraSettings.reversalV, 1);
    EXPECT_EQ(CameraSettings.reversalH, 0);
    EXPECT_EQ(Element(L"ReversalV"), L"0");  // the document is untouched
    EXPECT_EQ(ReadFile(L"Config.xml"), before);
}

TEST_F(BasicCfgPageTest, OkStoresTheLastFlipState) {
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  Click(page, IDC_REVERSAL_H);
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(CameraSettings.reversalH, 1);
    EXPECT_EQ(CameraSettings.reversalV, 0);
    EXPECT_EQ(Element(L"ReversalH"), L"1");
    EXPECT_TRUE(host.zooms.empty());  // OK takes nothing back
}

TEST_F(BasicCfgPageTest, SixtyHertzThenCancelLeavesTheCameraAtSixtyAndTheSettingsAlone) {
    const std::string before = ReadFile(L"Config.xml");
    EXPECT_EQ(IDCANCEL, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  Click(page, IDC_FREQUENCY_60);
                  sheet.PressButton(PSBTN_CANCEL);
              }));
    // Sent once, never taken back: the camera stays at 60 Hz until the graph starts again.
    EXPECT_EQ(host.frequencies, std::vector<int>{1});
    EXPECT_EQ(CameraSettings.frequency, 0);
    EXPECT_EQ(Element(L"Frequency"), L"0");
    EXPECT_EQ(ReadFile(L"Config.xml"), before);
}

TEST_F(BasicCfgPageTest, ZoomButtonsSendTheirIndexAndOkStoresIt) {
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  Click(page, IDC_ZOOM_4X);
                  Click(page, IDC_ZOOM_2X);
                  Click(page, IDC_FREQUENCY_60);
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(host.zooms, (std::vector<int>{3, 1}));
    EXPECT_EQ(CameraSettings.zoomOut, 1);
    EXPECT_EQ(CameraSettings.frequency, 1);
    EXPECT_EQ(Element(L"ZoomOut"), L"1");
    EXPECT_EQ(Element(L"Frequency"), L"1");
}

TEST_F(BasicCfgPageTest, ChoosingTheAsteriskOutputSizeStoresTenAndResizes) {
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  EXPECT_EQ(ItemText(page, IDC_DISPLAY_SIZE, 10), L"3876*2584");
                  SelectItem(page, IDC_DISPLAY_SIZE, 10);
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(CameraSettings.displaySize, 10);
    EXPECT_EQ(Element(L"DisplaySize"), L"10");
    EXPECT_EQ(host.resizes, 1);
    EXPECT_EQ(host.photoBuffers, 0);
    EXPECT_EQ(OutputSizeOrVideo(CameraSettings.displaySize, 0, 0).width, 3876);
    EXPECT_EQ(OutputSizeOrVideo(CameraSettings.displaySize, 0, 0).height, 2584);
}

TEST_F(BasicCfgPageTest, OutOfRangeStoredSizeShowsNoSelectionAndOkStoresMinusOne) {
    CameraSettings.photoSize = 40;
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  EXPECT_EQ(page.SendDlgItemMessage(IDC_PHOTO_SIZE, CB_GETCURSEL), CB_ERR);
                  sheet.PressButton(PSBTN_OK);
              }));
    EXPECT_EQ(CameraSettings.photoSize, -1);
    EXPECT_EQ(host.photoBuffers, 1);
}

TEST_F(BasicCfgPageTest, FolderChooserKeepsTheShownFolderAndAddsTheBackslashToANewOne) {
    const std::wstring shown = CameraSettings.albumFolder;
    const std::wstring other = programFolder + L"Other";
    std::vector<std::wstring> starts;
    std::vector<std::wstring> answers = {shown.substr(0, shown.size() - 1), other};
    CFolderDialog::SetAnswerHookForTesting([&](const std::wstring& start, UINT flags, std::wstring& path) {
        EXPECT_EQ(flags, 0x41u);
        starts.push_back(start);
        path = answers.at(starts.size() - 1);
        return true;
    });
    std::wstring afterFirst, afterSecond;
    EXPECT_EQ(IDOK, Run([&](CPropertySheet& sheet, CBasicCfgPage& page) {
                  Click(page, IDC_CHOOSE_FOLDER);
                  afterFirst = page.albumFolder_.Str();
                  Click(page, IDC_CHOOSE_FOLDER);
                  CString text;
                  page.GetDlgItemText(IDC_ALBUM_FOLDER, text);
                  afterSecond = text.Str();
                  sheet.PressButton(PSBTN_OK);
              }));
    CFolderDialog::SetAnswerHookForTesting(nullptr);
    EXPECT_EQ(starts.at(0), shown);
    EXPECT_EQ(afterFirst, shown);
    EXPECT_EQ(afterSecond, other + L"\\");
    EXPECT_EQ(CameraSettings.albumFolder, other + L"\\");
    EXPECT_EQ(Element(L"FoldPath"), other + L"\\");
}

TEST_F(BasicCfgPageTest, OkWithoutChangesRewritesAllSevenElements) {
    CameraSettings.displaySize = 2;
    CameraSettings.photoSize = 9;
    CameraSettings.reversalH = 1;
    CameraSettings.reversalV = 1;
    CameraSettings.frequency = 1;
    CameraSettings.zoomOut = 3;
    EXPECT_EQ(IDOK, Run([](CPropertySheet& sheet, CBasicCfgPage&) { sheet.PressButton(PSBTN_OK); }));
    EXPECT_EQ(Element(L"FoldPath"), CameraSettings.albumFolder);
    EXPECT_EQ(Element(L"DisplaySize"), L"2");
    EXPECT_EQ(Element(L"PhotoSize"), L"9");
    EXPECT_EQ(Element(L"ReversalH"), L"1");
    EXPECT_EQ(Element(L"ReversalV"), L"1");
    EXPECT_EQ(Element(L"Frequency"), L"1");
    EXPECT_EQ(Element(L"ZoomOut"), L"3");
    EXPECT_EQ(host.resizes, 0);
    EXPECT_EQ(host.photoBuffers, 0);
}

TEST_F(BasicCfgPageTest, CloseBoxActsLikeCancel) {
    const std::string before = ReadFile(L"Config.xml");
    EXPECT_EQ(IDCANCEL, Run([](CPropertySheet& sheet, CBasicCfgPage& page) {
                  Click(page, IDC_REVERSAL_H);
                  sheet.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
              }));
    EXPECT_EQ(CameraSettings.reversalH, 0);
    EXPECT_EQ(host.reversals.back(), (Reversal{0, 0, 0}));
    EXPECT_EQ(ReadFile(L"Config.xml"), before);
}

}  // namespace
