// Snap Shot with the scripted camera: the save dialog, the temporary file the tick writes while the
// dialog is open, BMP or JPEG by the chosen name, and the request that waits for a frame.
#include <gtest/gtest.h>

#include "framework/FileDialog.h"
#include "monitor/resources/MonitorIds.h"
#include "tests/monitor/record/RecordTestSupport.h"

using namespace monitor_test;
using namespace record_test;
using yscap_double::Script;

namespace {

// Answers the save dialog like the script, after the window's tick ran a few times while it was
// open (as the real timer does behind a real dialog).
class TickingScript : public fw::ModalScript {
  public:
    CMonitorDlg* window = nullptr;
    int ticksWhileOpen = 2;
    INT_PTR OnFileDialog(CFileDialog& dialog) override {
        if (window)
            for (int i = 0; i < ticksWhileOpen; ++i) Tick(*window);
        return ModalScript::OnFileDialog(dialog);
    }
};

class SnapshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        folder_ = MakeFolder("orvello-snap");
        temp_ = CMonitorDlg::SnapshotTempPath().GetString();
        std::remove(temp_.c_str());
    }
    void TearDown() override {
        for (const std::string& file : cleanup_) std::remove(file.c_str());
        std::remove(temp_.c_str());
    }
    std::string File(const char* name) {
        cleanup_.push_back(folder_ + "\\" + name);
        std::remove(cleanup_.back().c_str());
        return cleanup_.back();
    }

    std::string folder_, temp_;
    std::vector<std::string> cleanup_;
};

std::string Head(const std::string& path, size_t n) {
    return ReadText(path).substr(0, n);
}

TEST_F(SnapshotTest, SaveDialogAndCancel) {
    TickingScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        script.window = &dlg;
        script.AnswerFileDialog("");
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SNAPSHOT));
        EXPECT_EQ(dlg.m_bSnapRequest, 0);  // the tick answered while the dialog was open
        EXPECT_FALSE(Exists(temp_));       // and the picture was thrown away
    });
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    const fw::ModalScript::FileDialogRun& run = script.fileDialogs[0];
    EXPECT_FALSE(run.open);
    EXPECT_EQ(run.defaultExt, CString("*.jpg"));
    EXPECT_EQ(run.initialName, CString("SnapCap"));
    EXPECT_EQ(run.filter, CString("JPG Files (*.jpg)|*.jpg|BMP Files (*.bmp)|*.bmp|"));
    EXPECT_EQ(run.flags & (OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT), DWORD(6));
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(SnapshotTest, BmpInAnyLetterCaseElseJpeg) {
    TickingScript script;
    const std::string bmp = File("shot.BmP");
    const std::string jpg = File("shot.jpg");
    const std::string png = File("shot.png");
    const std::string bare = File("shot");
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        script.window = &dlg;
        for (const std::string& path : {bmp, jpg, png, bare}) {
            script.AnswerFileDialog(path.c_str());
            ASSERT_TRUE(fw::PressButton(dlg, IDC_SNAPSHOT));
            EXPECT_FALSE(Exists(temp_)) << path;
        }
    });
    EXPECT_EQ(Head(bmp, 2), "BM");
    const std::string content = ReadText(bmp);
    ASSERT_EQ(content.size(), 54u + 320u * 240u * 3u);
    EXPECT_EQ(static_cast<uint8_t>(content[54]), kGrey);
    for (const std::string& path : {jpg, png, bare}) EXPECT_EQ(Head(path, 3), "\xFF\xD8\xFF") << path;
    // Nothing left over beside the pictures.
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder_ + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

TEST_F(SnapshotTest, ExistingFileIsReplacedOnlyByANewPicture) {
    TickingScript script;
    const std::string jpg = File("keep.jpg");
    const std::string bmp = File("keep.bmp");
    WriteText(jpg, "old");
    WriteText(bmp, "old");
    Script().firstFrameMs = 60000;  // no frame for a minute
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        script.window = &dlg;
        script.AnswerFileDialog(jpg.c_str());
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SNAPSHOT));
        EXPECT_EQ(ReadText(jpg), "old");  // no picture: the chosen file stays, and the user is told
        EXPECT_EQ(dlg.m_bSnapRequest, 1);
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString(("Cannot save the image to :\n" + jpg).c_str()));
        EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));

        // The request stays pending: further clicks do nothing until a frame arrives.
        script.AnswerFileDialog(bmp.c_str());
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SNAPSHOT));
        EXPECT_EQ(script.fileDialogs.size(), 1u);
        g_now += 60000;
        Tick(dlg);
        EXPECT_EQ(dlg.m_bSnapRequest, 0);

        ASSERT_TRUE(fw::PressButton(dlg, IDC_SNAPSHOT));
        EXPECT_EQ(script.fileDialogs.size(), 2u);
    });
    EXPECT_EQ(Head(bmp, 2), "BM");
    EXPECT_FALSE(Exists(temp_));
    EXPECT_EQ(script.messageBoxes.size(), 1u) << "a snapshot that worked says nothing";
}

}  // namespace
