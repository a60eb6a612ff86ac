// The recorder with the real camera library and the test camera: a real AVI file read back
// (headers, frames, size, an audio stream exactly when asked) and the preview running meanwhile.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/media/avi/ReadAvi.h"
#include "media/avi/AviWriter.h"
#include "monitor/app/ProgramFolder.h"
#include "tests/monitor/window/LiveWindow.h"

namespace {

using live_window::FrameCounter;
using live_window::RunFor;

class RecordCameraTest : public live_window::LiveCameraTest {
  protected:
    void SetUp() override {
        LiveCameraTest::SetUp();
        counter_ = std::string(ProgramFolder().GetString()) + "\\brenik.inf";
        file_ = std::string(ProgramFolder().GetString()) + "\\brenik-00000.avi";
        std::remove(counter_.c_str());
        std::remove(file_.c_str());
    }
    void TearDown() override {
        std::remove(counter_.c_str());
        std::remove(file_.c_str());
        LiveCameraTest::TearDown();
    }

    std::string counter_, file_;
};

TEST_F(RecordCameraTest, RecordsAPlayableFileWhileThePreviewRuns) {
    fw::ModalScript script;
    Run(script, [&](CMonitorDlg& dlg) {
        RunFor(1000);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        ASSERT_EQ(dlg.m_bRecording, 1);
        RunFor(800);
        const long first = FrameCounter(dlg);
        RunFor(1200);
        EXPECT_GT(FrameCounter(dlg), first);  // the preview keeps moving while recording
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(dlg.m_bRecording, 0);
    });
    EXPECT_TRUE(script.messageBoxes.empty());
    const avi::AviFileInfo info = avi_test::ReadAvi(file_);
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    ASSERT_EQ(info.streams.size(), 1u);
    EXPECT_EQ(info.streams[0].type, avi::MakeFourCc('v', 'i', 'd', 's'));
    EXPECT_EQ(info.main.width, 320u);
    EXPECT_EQ(info.main.height, 240u);
    EXPECT_GT(info.ChunkCount(0), 0u);
}

TEST_F(RecordCameraTest, AudioStreamWhenAsked) {
    REQUIRE_TONE_SOURCE();
    fw::ModalScript script;
    Run(script, [&](CMonitorDlg& dlg) {
        CString input;
        dlg.GetDlgItemText(IDC_AUDIO_DEVICE, input);
        EXPECT_EQ(input, CString("Test Tone Microphone"));  // listed, and the input selected
        ASSERT_EQ(dlg.m_bNoAudioDevice, 0);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORD_AUDIO));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        ASSERT_EQ(dlg.m_bRecording, 1);
        RunFor(2000);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
    });
    const avi::AviFileInfo info = avi_test::ReadAvi(file_);
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    ASSERT_EQ(info.streams.size(), 2u);
    EXPECT_EQ(info.streams[1].type, avi::MakeFourCc('a', 'u', 'd', 's'));
    EXPECT_GT(info.ChunkCount(0), 0u);
    EXPECT_GT(info.ChunkCount(1), 0u);
}

}  // namespace
