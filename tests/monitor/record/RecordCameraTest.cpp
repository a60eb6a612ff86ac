// The recorder with the real camera library and the test camera: a real AVI file read back
// (headers, frames, size, an audio stream exactly when asked) and the preview running meanwhile.
#include <gtest/gtest.h>

#include <cstdio>

#include "devices/testcam/TestPattern.h"
#include "framework/ModalScript.h"
#include "media/avi/AviReader.h"
#include "media/avi/AviWriter.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickClock.h"
#include "monitor/window/MonitorDlg.h"
#include "tests/monitor/capture/TestCamera.h"
#include "tests/monitor/window/LiveWindow.h"

namespace {

using live_window::FrameCounter;
using live_window::RunFor;

class RecordCameraTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!capture_test::TestCameraAvailable()) GTEST_SKIP() << "test camera not available (TESTCAM_DLL)";
        tick::SetClock(nullptr, nullptr);
        ResetMonitorSettings();
        counter_ = std::string(ProgramFolder().GetString()) + "\\brenik.inf";
        file_ = std::string(ProgramFolder().GetString()) + "\\brenik-00000.avi";
        std::remove(counter_.c_str());
        std::remove(file_.c_str());
        ASSERT_EQ(capture_test::TestCamCtl("plug"), 0);
    }
    void TearDown() override {
        capture_test::TestCamCtl("plug");
        std::remove(counter_.c_str());
        std::remove(file_.c_str());
    }

    INT_PTR Run(fw::ModalScript& script, const std::function<void(CMonitorDlg&)>& body) {
        script.OnNextDialog(IDD_MONITOR, [&body](CDialog& dlg) { body(static_cast<CMonitorDlg&>(dlg)); });
        CMonitorDlg dlg;
        return dlg.DoModal();
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
    avi::AviFileInfo info;
    std::string error;
    ASSERT_TRUE(avi::ParseAviFile(file_, info, error)) << error;
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    ASSERT_EQ(info.streams.size(), 1u);
    EXPECT_EQ(info.streams[0].type, avi::MakeFourCc('v', 'i', 'd', 's'));
    EXPECT_EQ(info.main.width, 320u);
    EXPECT_EQ(info.main.height, 240u);
    EXPECT_GT(info.ChunkCount(0), 0u);
}

TEST_F(RecordCameraTest, AudioStreamWhenAsked) {
    fw::ModalScript script;
    bool haveAudio = false;
    Run(script, [&](CMonitorDlg& dlg) {
        haveAudio = dlg.m_bNoAudioDevice == 0;
        if (!haveAudio) return;
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORD_AUDIO));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        ASSERT_EQ(dlg.m_bRecording, 1);
        RunFor(2000);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
    });
    if (!haveAudio) GTEST_SKIP() << "no audio input in this prefix";
    avi::AviFileInfo info;
    std::string error;
    ASSERT_TRUE(avi::ParseAviFile(file_, info, error)) << error;
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    ASSERT_EQ(info.streams.size(), 2u);
    EXPECT_EQ(info.streams[1].type, avi::MakeFourCc('a', 'u', 'd', 's'));
    EXPECT_GT(info.ChunkCount(0), 0u);
    EXPECT_GT(info.ChunkCount(1), 0u);
}

}  // namespace
