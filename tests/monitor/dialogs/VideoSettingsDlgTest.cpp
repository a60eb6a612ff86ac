#include "tests/support/ModalScript.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/AviName.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/dialogs/VideoSettingsDlg.h"
#include "tests/monitor/dialogs/DialogTestSupport.h"

namespace {

constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

const CString kMissingFolder(
    "The specified save file path does not exist.\r\n\r\nPlease provide a valid media filename.");

class VideoSettingsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetMonitorSettings();
        counterFile = CounterFilePath();
        ::DeleteFileA(counterFile);
        folder = MakeTempFolder("OrvelloRec");
    }
    void TearDown() override {
        ::DeleteFileA(counterFile);
        ResetMonitorSettings();
    }
    // Opens the dialog on `path` with the counter file holding `counter`; `user` drives it.
    INT_PTR Run(const CString& path, const char* counter, std::function<void(CDialog&)> user) {
        if (counter) WriteTextFile(counterFile, counter);
        aviPath = path;
        script.OnNextDialog(std::move(user));
        CVideoSettingsDlg dlg(nullptr, &host);
        return dlg.DoModal();
    }

    CString counterFile, folder;
    CHostWindow host;
    fw::ModalScript script;
};

TEST_F(VideoSettingsDialog, NumberedNameIsStoredAsNumbered) {
    const CString numbered = folder + CString("\\BRENIK-00042.avi");
    EXPECT_EQ(Run(numbered, "42",
                  [&](CDialog& dlg) {
                      EXPECT_EQ(ItemText(dlg, IDC_VS_COUNTER), CString("42"));
                      EXPECT_EQ(ItemText(dlg, IDC_VS_PATH), numbered);
                      fw::PressButton(dlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(aviPath, numbered);
    EXPECT_EQ(aviPathChanged, 0);
    EXPECT_EQ(ReadTextFile(counterFile), CString("42"));
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(VideoSettingsDialog, HandTypedNameIsStoredAsTyped) {
    const CString typed = folder + CString("\\holiday.avi");
    EXPECT_EQ(Run(folder + CString("\\BRENIK-00042.avi"), "42",
                  [&](CDialog& dlg) {
                      dlg.SetDlgItemText(IDC_VS_PATH, typed);
                      fw::PressButton(dlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(aviPath, typed);
    EXPECT_EQ(aviPathChanged, 1);
    EXPECT_EQ(ReadTextFile(counterFile), CString("42"));
}

TEST_F(VideoSettingsDialog, NumberedNameTypedInAnotherCaseOrAfterANewCounterIsNumbered) {
    EXPECT_EQ(Run(folder + CString("\\BRENIK-00042.avi"), "42",
                  [&](CDialog& dlg) {
                      dlg.SetDlgItemText(IDC_VS_PATH, folder + CString("\\brenik-00042.AVI"));
                      dlg.SetDlgItemText(IDC_VS_COUNTER, "7");
                      fw::PressButton(dlg, IDOK);
                  }),
              IDOK);
    // Typed while the counter was 42, it names the file after the counter: numbered, now 7.
    EXPECT_EQ(aviPath, folder + CString("\\BRENIK-00007.avi"));
    EXPECT_EQ(aviPathChanged, 0);
    EXPECT_EQ(ReadTextFile(counterFile), CString("7"));
}

TEST_F(VideoSettingsDialog, MissingFolderOrNoBackslashIsRefusedAndNothingIsStored) {
    for (const CString& path : {CString("C:\\NoSuchDir\\a.avi"), CString("a.avi")}) {
        script.messageBoxes.clear();
        host.pauses.clear();
        EXPECT_EQ(Run(folder + CString("\\BRENIK-00042.avi"), "42",
                      [&](CDialog& dlg) {
                          dlg.SetDlgItemText(IDC_VS_COUNTER, "43");
                          dlg.SetDlgItemText(IDC_VS_PATH, path);
                          fw::PressButton(dlg, IDOK);
                          EXPECT_FALSE(dlg.IsEnded());
                      }),
                  IDCANCEL);
        ASSERT_EQ(script.messageBoxes.size(), 1u) << path.GetString();
        EXPECT_EQ(script.messageBoxes[0].text, kMissingFolder);
        EXPECT_EQ(script.messageBoxes[0].caption, CString("BRENIK Orvello"));
        EXPECT_EQ(script.messageBoxes[0].type, 0x2030u);
        EXPECT_EQ(host.pauses, (std::vector<bool>{true, false}));
        EXPECT_EQ(aviPath, folder + CString("\\BRENIK-00042.avi"));
        EXPECT_EQ(aviPathChanged, 0);
        EXPECT_EQ(ReadTextFile(counterFile), CString("42"));
    }
}

TEST_F(VideoSettingsDialog, CounterIsCheckedAtEveryEditAndOnOk) {
    EXPECT_EQ(Run(folder + CString("\\BRENIK-00042.avi"), "42",
                  [&](CDialog& dlg) {
                      auto& d = static_cast<CVideoSettingsDlg&>(dlg);
                      dlg.SetDlgItemText(IDC_VS_COUNTER, "");  // cleared: message at once
                      dlg.SetDlgItemText(IDC_VS_COUNTER, "100000");
                      EXPECT_EQ(d.m_nCounter, 42u);
                      fw::PressButton(dlg, IDOK);
                      EXPECT_FALSE(dlg.IsEnded());
                  }),
              IDCANCEL);
    ASSERT_EQ(script.messageBoxes.size(), 3u);
    EXPECT_EQ(script.messageBoxes[0].text, CString("Please enter a positive integer."));
    EXPECT_EQ(script.messageBoxes[1].text, CString("Please enter an integer between 0 and 99999."));
    EXPECT_EQ(script.messageBoxes[2].text, CString("Please enter an integer between 0 and 99999."));
    EXPECT_TRUE(aviPath == folder + CString("\\BRENIK-00042.avi"));
    EXPECT_EQ(ReadTextFile(counterFile), CString("42"));
}

TEST_F(VideoSettingsDialog, NameTypedWhileTheCounterIsRefusedIsStillTakenAsTyped) {
    const CString typed = folder + CString("\\holiday.avi");
    EXPECT_EQ(Run(folder + CString("\\BRENIK-00042.avi"), "42",
                  [&](CDialog& dlg) {
                      dlg.SetDlgItemText(IDC_VS_COUNTER, "100000");
                      dlg.SetDlgItemText(IDC_VS_PATH, typed);
                      EXPECT_TRUE(static_cast<CVideoSettingsDlg&>(dlg).m_bUserNamed);
                      dlg.SetDlgItemText(IDC_VS_COUNTER, "5");
                      fw::PressButton(dlg, IDOK);
                  }),
              IDOK);
    EXPECT_EQ(aviPath, typed);
    EXPECT_EQ(aviPathChanged, 1);
    EXPECT_EQ(ReadTextFile(counterFile), CString("5"));
}

TEST_F(VideoSettingsDialog, MissingCounterFileOpensAtZeroAndIsMade) {
    EXPECT_EQ(Run(folder + CString("\\BRENIK-00000.avi"), nullptr,
                  [&](CDialog& dlg) { EXPECT_EQ(ItemText(dlg, IDC_VS_COUNTER), CString("0")); }),
              IDCANCEL);
    EXPECT_EQ(ReadTextFile(counterFile), CString("0"));
}

TEST_F(VideoSettingsDialog, BrowseOffersTheNumberedNameAndKeepsAnExistingFile) {
    const CString existing = folder + CString("\\party.avi");
    WriteTextFile(existing, "RIFF");
    script.AnswerFileDialog(existing);
    EXPECT_EQ(Run(folder + CString("\\BRENIK-00042.avi"), "42",
                  [&](CDialog& dlg) {
                      dlg.SetDlgItemText(IDC_VS_COUNTER, "5");
                      fw::PressButton(dlg, IDC_VS_BROWSE);
                      EXPECT_EQ(ItemText(dlg, IDC_VS_PATH), existing);
                      EXPECT_EQ(ReadTextFile(existing), CString("RIFF"));
                      fw::PressButton(dlg, IDOK);
                  }),
              IDOK);
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_EQ(script.fileDialogs[0].initialName, folder + CString("\\BRENIK-00005.avi"));
    EXPECT_EQ(script.fileDialogs[0].defaultExt, CString("*.avi"));
    EXPECT_EQ(script.fileDialogs[0].filter, CString("AVI Files (*.avi)|*.avi|"));
    EXPECT_EQ(script.fileDialogs[0].flags & kSaveFlags, kSaveFlags);
    EXPECT_EQ(aviPath, existing);
    EXPECT_EQ(aviPathChanged, 1);
    EXPECT_EQ(ReadTextFile(counterFile), CString("5"));
}

TEST(AviName, FolderAndNumberedName) {
    EXPECT_EQ(FolderOfPath("D:\\Rec\\BRENIK-00042.avi"), CString("D:\\Rec"));
    EXPECT_EQ(FolderOfPath("a.avi"), CString());
    EXPECT_EQ(NumberedAviName("D:\\Rec", 42), CString("D:\\Rec\\BRENIK-00042.avi"));
    EXPECT_EQ(NumberedAviName("", 99999), CString("\\BRENIK-99999.avi"));
}

}  // namespace
