// The recorder with the real camera library and the test camera: a real AVI file read back
// (headers, frames, size, an audio stream exactly when asked), the preview running meanwhile, and
// the camera unplugged while recording.
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

TEST_F(RecordCameraTest, UnpluggedWhileRecordingLeavesAReadableFile) {
    fw::ModalScript script;
    Run(script, [&](CMonitorDlg& dlg) {
        RunFor(800);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        RunFor(1500);
        ASSERT_EQ(probe::RunTestcamctl("unplug"), 0);
        for (int i = 0; i < 200 && dlg.m_bRecording; ++i) RunFor(50);
        EXPECT_EQ(dlg.m_bRecording, 0);
        CString state;
        dlg.GetDlgItemText(IDC_RECORDER_STATE, state);
        EXPECT_EQ(state, CString("Run recorder"));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDC_SIZE_640)));
    });
    // The camera cannot be reopened while unplugged: the device-lost messages of the recovery.
    ASSERT_EQ(script.messageBoxes.size(), 2u);
    EXPECT_EQ(script.messageBoxes[0].text, CString("Video capture device lost.Stopping capture!"));
    EXPECT_EQ(script.messageBoxes[1].text,
              CString("ERROR during capture AVI file (Device Lost).Stopping capture!\r\n"));
    const avi::AviFileInfo info = avi_test::ReadAvi(file_);
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    EXPECT_GT(info.ChunkCount(0), 0u);
}

}  // namespace
