#include "tests/support/ModalScript.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/dialogs/AudioSettingsDlg.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/dialogs/TimerShotSettingsDlg.h"
#include "tests/monitor/dialogs/DialogTestSupport.h"

namespace {

constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

const CString kRangeMessage("Please enter an integer between 1 and 3600.");

class TimerShotDialog : public ::testing::Test {
  protected:
    void SetUp() override { ResetMonitorSettings(); }
    void TearDown() override { ResetMonitorSettings(); }
};

void ExpectSamePathShown(CDialog& dlg) {
    EXPECT_TRUE(ItemChecked(dlg, IDC_TS_SAME_PATH));
    EXPECT_FALSE(ItemChecked(dlg, IDC_TS_SPECIFIED_PATH));
    EXPECT_FALSE(ItemEnabled(dlg, IDC_TS_PATH));
    EXPECT_FALSE(ItemEnabled(dlg, IDC_TS_BROWSE));
    EXPECT_EQ(ItemText(dlg, IDC_TS_PATH), ProgramFolder() + CString("\\TimerCap.bmp"));
}

TEST_F(TimerShotDialog, EmptyOrDefaultPathInAnotherCaseOpensOnSamePath) {
    for (const CString& stored : {CString(), (ProgramFolder() + CString("\\TimerCap.bmp")).MakeUpper()}) {
        timerShotPath = stored;
        timerShotSeconds = 12;
        fw::ModalScript script;
        script.OnNextDialog([](CDialog& dlg) {
            ExpectSamePathShown(dlg);
            EXPECT_EQ(ItemText(dlg, IDC_TS_SECONDS), CString("12"));
            EXPECT_EQ(dlg.GetWindowTextLength(), 8);  // "Settings"
        });
        CTimerShotSettingsDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(timerShotPath, stored);
    }
}

TEST_F(TimerShotDialog, AnotherPathOpensOnSpecifiedPath) {
    timerShotPath = "C:\\shots\\door.bmp";
    fw::ModalScript script;
    script.OnNextDialog([](CDialog& dlg) {
        EXPECT_TRUE(ItemChecked(dlg, IDC_TS_SPECIFIED_PATH));
        EXPECT_TRUE(ItemEnabled(dlg, IDC_TS_PATH));
        EXPECT_TRUE(ItemEnabled(dlg, IDC_TS_BROWSE));
        EXPECT_EQ(ItemText(dlg, IDC_TS_PATH), CString("C:\\shots\\door.bmp"));
        // Back to the same path: the default path is shown and the path controls are locked; the
        // seconds typed just before stay.
        dlg.SetDlgItemText(IDC_TS_SECONDS, "30");
        ClickCheck(dlg, IDC_TS_SAME_PATH, true);
        dlg.CheckDlgButton(IDC_TS_SPECIFIED_PATH, BST_UNCHECKED);
        ExpectSamePathShown(dlg);
        EXPECT_EQ(ItemText(dlg, IDC_TS_SECONDS), CString("30"));
        fw::PressButton(dlg, IDC_TS_OK);
    });
    CTimerShotSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // The default path is then stored explicitly.
    EXPECT_EQ(timerShotPath, ProgramFolder() + CString("\\TimerCap.bmp"));
    EXPECT_EQ(timerShotSeconds, 30);
}

TEST_F(TimerShotDialog, SecondsOutsideOneTo3600AreRefusedAndNothingIsStored) {
    timerShotSeconds = 7;
    fw::ModalScript script;
    script.OnNextDialog([](CDialog& dlg) {
        auto& d = static_cast<CTimerShotSettingsDlg&>(dlg);
        ClickCheck(dlg, IDC_TS_SPECIFIED_PATH, true);
        dlg.CheckDlgButton(IDC_TS_SAME_PATH, BST_UNCHECKED);
        dlg.SetDlgItemText(IDC_TS_PATH, "C:\\typed.bmp");
        for (const char* seconds : {"0", "3601"}) {
            dlg.SetDlgItemText(IDC_TS_SECONDS, seconds);
            fw::PressButton(dlg, IDC_TS_OK);
            EXPECT_FALSE(dlg.IsEnded()) << seconds;
            EXPECT_EQ(d.m_nSeconds, 7u);
            EXPECT_EQ(ItemText(dlg, IDC_TS_SECONDS), CString(seconds));  // left for the user to mend
        }
        EXPECT_EQ(timerShotSeconds, 7);
        EXPECT_TRUE(timerShotPath.IsEmpty());
        // Enter works like OK and is refused the same way.
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_FALSE(dlg.IsEnded());
        // The arrows give 3600 without a thousands separator, which is accepted.
        d.m_spin.SetPos(3600);
        EXPECT_EQ(ItemText(dlg, IDC_TS_SECONDS), CString("3600"));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(dlg.IsEnded());
    });
    CTimerShotSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(script.messageBoxes.size(), 3u);
    for (const auto& box : script.messageBoxes) EXPECT_EQ(box.text, kRangeMessage);
    EXPECT_EQ(timerShotSeconds, 3600);
    EXPECT_EQ(timerShotPath, CString("C:\\typed.bmp"));
}

TEST_F(TimerShotDialog, BrowseShowsTheChosenFileAndLeavesAnExistingOneAlone) {
    const CString folder = MakeTempFolder("OrvelloTimerShot");
    const CString chosen = folder + CString("\\old.bmp");
    WriteTextFile(chosen, "keep");
    fw::ModalScript script;
    script.AnswerFileDialog("");  // first Browse cancelled
    script.AnswerFileDialog(chosen);
    script.OnNextDialog([&](CDialog& dlg) {
        EXPECT_FALSE(fw::PressButton(dlg, IDC_TS_BROWSE));  // disabled on the same path
        ClickCheck(dlg, IDC_TS_SPECIFIED_PATH, true);
        const CString before = ItemText(dlg, IDC_TS_PATH);
        fw::PressButton(dlg, IDC_TS_BROWSE);
        EXPECT_EQ(ItemText(dlg, IDC_TS_PATH), before);
        dlg.SetDlgItemText(IDC_TS_SECONDS, "9");
        fw::PressButton(dlg, IDC_TS_BROWSE);
        EXPECT_EQ(ItemText(dlg, IDC_TS_PATH), chosen);
        EXPECT_EQ(ItemText(dlg, IDC_TS_SECONDS), CString("9"));
        EXPECT_TRUE(FileExists(chosen));
        fw::PressButton(dlg, IDC_TS_OK);
    });
    CTimerShotSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(script.fileDialogs.size(), 2u);
    const auto& file = script.fileDialogs[1];
    EXPECT_FALSE(file.open);
    EXPECT_EQ(file.defaultExt, CString("*.bmp"));
    EXPECT_EQ(file.initialName, CString("TimerCap"));
    EXPECT_EQ(file.filter, CString("BMP Files (*.bmp)|*.bmp|"));
    EXPECT_EQ(file.flags & kSaveFlags, kSaveFlags);
    EXPECT_EQ(timerShotPath, chosen);
    EXPECT_EQ(ReadTextFile(chosen), CString("keep"));
}

TEST(AudioSettingsDialog, OpensOnTheStoredStreamAndStoresEachClickAtOnce) {
    ResetMonitorSettings();
    struct Case {
        BYTE stored;
        int checkedId;
    };
    for (const Case c : {Case{255, IDC_AS_NONE}, Case{1, IDC_AS_AUDIO}, Case{2, IDC_AS_VIDEO}}) {
        masterStream = c.stored;
        fw::ModalScript script;
        script.OnNextDialog([&](CDialog& dlg) {
            for (int id : {IDC_AS_NONE, IDC_AS_AUDIO, IDC_AS_VIDEO})
                EXPECT_EQ(ItemChecked(dlg, id), id == c.checkedId);
        });
        CAudioSettingsDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(masterStream, c.stored);
    }

    masterStream = 255;
    fw::ModalScript script;
    script.OnNextDialog([](CDialog& dlg) {
        dlg.CheckRadioButton(IDC_AS_NONE, IDC_AS_VIDEO, IDC_AS_VIDEO);
        fw::PressButton(dlg, IDC_AS_VIDEO);
        EXPECT_EQ(masterStream, 2);
        // Closed with the window's close box: the click is kept.
        dlg.SendMessage(WM_CLOSE);
    });
    CAudioSettingsDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(masterStream, 2);

    script.OnNextDialog([](CDialog& dlg) {
        fw::PressButton(dlg, IDC_AS_AUDIO);
        EXPECT_EQ(masterStream, 1);
        fw::PressButton(dlg, IDC_AS_NONE);
        fw::PressButton(dlg, IDC_AS_OK);
    });
    CAudioSettingsDlg again;
    EXPECT_EQ(again.DoModal(), IDOK);
    EXPECT_EQ(masterStream, 255);
    ResetMonitorSettings();
}

}  // namespace
