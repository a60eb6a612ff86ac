// The recorder of the main window with the scripted camera: file names and the counter file, the
// locked controls and the lamp, the forced 640 x 480, the audio switch, the failure and camera-loss
// messages, the written AVI read back, and the capture settings dialogs inside the dialog pause.
#include <gtest/gtest.h>

#include "tests/media/avi/ReadAvi.h"
#include "media/avi/AviWriter.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/window/PreviewWnd.h"
#include "tests/monitor/record/RecordTestSupport.h"

using namespace monitor_test;
using namespace record_test;
using yscap_double::Script;

namespace {

constexpr const char* kFailedContent =
    "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be compatible with "
    "this "
    "content.\r\n";
constexpr const char* kFailed800 =
    "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be compatible with "
    "size: "
    "800x600.\r\n";
constexpr UINT kWarning = MB_ICONEXCLAMATION | MB_TASKMODAL;

class RecordingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        std::remove(CounterFile().c_str());
        folder_ = MakeFolder("orvello-rec");
    }
    void TearDown() override {
        std::remove(CounterFile().c_str());
        for (const std::string& file : cleanup_) std::remove(file.c_str());
    }
    std::string Remember(const std::string& file) {
        cleanup_.push_back(file);
        return file;
    }

    std::string folder_;
    std::vector<std::string> cleanup_;
};

CString Text(CWnd& dlg, int id) {
    CString text;
    dlg.GetDlgItemText(id, text);
    return text;
}

bool Enabled(CWnd& dlg, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != FALSE;
}

bool Visible(CWnd& dlg, int id) {
    return (::GetWindowLong(::GetDlgItem(dlg.m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<long> Numbers(const char* operation) {
    const yscap_double::CaptureCall* call = LastCall(operation);
    return call ? call->numbers : std::vector<long>{};
}

// The controls a recording locks.
const int kLocked[] = {1000, 1001, 1002, 1003, 1004, 1005, 1071, 1008, 1044, 1027};

void ExpectIdle(CMonitorDlg& dlg) {
    EXPECT_EQ(dlg.m_bRecording, 0);
    EXPECT_EQ(Text(dlg, IDC_RECORDER_STATE), CString("Run recorder"));
    for (int id : kLocked) EXPECT_TRUE(Enabled(dlg, id)) << id;
    EXPECT_FALSE(Visible(dlg, IDC_RECORD_LAMP));
    EXPECT_EQ(dlg.m_btnRecorder.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_bStop, 0);
}

TEST_F(RecordingTest, FirstRecordingIsNumberZeroAndTheCounterThenHoldsOne) {
    fw::ModalScript script;
    const std::string expected = Remember(ExeFolder() + "\\brenik-00000.avi");
    std::remove(expected.c_str());
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        dlg.m_bShowTime = 1;
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        ASSERT_NE(LastCall("GetAviFromCam"), nullptr);
        EXPECT_EQ(LastCall("GetAviFromCam")->text, expected);
        // compressor 0, 320 x 240, audio compressor 0, device 0, master stream 1, no audio, PCM present
        EXPECT_EQ(Numbers("GetAviFromCam"), (std::vector<long>{0, 320, 240, 0, 0, 1, 0, 1}));
        EXPECT_EQ(ReadText(CounterFile()), "1");
        EXPECT_EQ(dlg.m_nAviCounter, 1);
        EXPECT_EQ(Text(dlg, IDC_AVI_FILE), CString(expected.c_str()));

        // Locked while recording; the lamp shows and blinks with timer 3.
        EXPECT_EQ(dlg.m_bRecording, 1);
        EXPECT_EQ(dlg.m_bShowTime, 0);
        EXPECT_EQ(Text(dlg, IDC_RECORDER_STATE), CString("Stop recorder"));
        EXPECT_TRUE(Enabled(dlg, IDC_RECORDER_STATE));
        for (int id : kLocked) EXPECT_FALSE(Enabled(dlg, id)) << id;
        for (int id : {1009, 1012, 1013, 1036, 1046, 1054, 1056}) EXPECT_TRUE(Enabled(dlg, id)) << id;
        EXPECT_TRUE(Visible(dlg, IDC_RECORD_LAMP));
        EXPECT_EQ(dlg.m_bBlink, 1);
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_FALSE(Enabled(dlg, IDC_RECORD_LAMP));  // blink phase 1: the unlit lamp
        dlg.SendMessage(WM_TIMER, CMonitorDlg::kLampTimer);
        EXPECT_TRUE(Enabled(dlg, IDC_RECORD_LAMP));
        EXPECT_EQ(dlg.m_bStop, 0);

        for (int i = 0; i < 10; ++i) Tick(dlg);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));  // stop
        ExpectIdle(dlg);
        EXPECT_EQ(Numbers("Init"), (std::vector<long>{0, 320, 240}));
        EXPECT_EQ(ReadText(CounterFile()), "1");

        // The next recording takes the next number.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(LastCall("GetAviFromCam")->text, Remember(ExeFolder() + "\\brenik-00001.avi"));
        EXPECT_EQ(ReadText(CounterFile()), "2");
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
    });
    EXPECT_TRUE(script.messageBoxes.empty());

    const avi::AviFileInfo info = avi_test::ReadAvi(expected);
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    ASSERT_EQ(info.streams.size(), 1u);  // no audio was asked for
    EXPECT_EQ(info.streams[0].type, avi::MakeFourCc('v', 'i', 'd', 's'));
    EXPECT_EQ(info.main.width, 320u);
    EXPECT_EQ(info.main.height, 240u);
    EXPECT_GT(info.ChunkCount(0), 0u);
}

TEST_F(RecordingTest, FailedStartKeepsTheCounterAndUnlocks) {
    fw::ModalScript script;
    WriteText(CounterFile(), "7");
    Script().recordResults = {false, false};
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(LastCall("GetAviFromCam")->text, ExeFolder() + "\\brenik-00007.avi");
        EXPECT_EQ(ReadText(CounterFile()), "7");
        EXPECT_EQ(dlg.m_nAviCounter, 7);
        ExpectIdle(dlg);
        EXPECT_EQ(Numbers("Init"), (std::vector<long>{0, 320, 240}));  // the camera is back

        // At 800 x 600 the message names the size.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_800));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(ReadText(CounterFile()), "7");
        ExpectIdle(dlg);
    });
    ASSERT_EQ(script.messageBoxes.size(), 2u);
    EXPECT_EQ(script.messageBoxes[0].text, CString(kFailedContent));
    EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
    EXPECT_EQ(script.messageBoxes[0].type, kWarning);
    EXPECT_EQ(script.messageBoxes[1].text, CString(kFailed800));
}

TEST_F(RecordingTest, CameraNotBackAfterAFailedStartShowsDeviceLost) {
    fw::ModalScript script;
    Script().recordResults = {false};
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        Script().initResults = {false};
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(dlg.m_bRecording, 0);
        EXPECT_EQ(Text(dlg, IDC_RECORDER_STATE), CString("Run recorder"));
        EXPECT_EQ(ReadText(CounterFile()), "0");  // made by the read, not moved on
    });
    ASSERT_EQ(script.messageBoxes.size(), 2u);
    EXPECT_EQ(script.messageBoxes[1].text, CString("Video capture device lost.Stopping capture!"));
}

TEST_F(RecordingTest, TypedPathIsRecordedExactlyAndTheCounterStays) {
    fw::ModalScript script;
    WriteText(CounterFile(), "5");
    const std::string typed = Remember(folder_ + "\\Holiday Trip.avi");
    const std::string numbered = Remember(folder_ + "\\brenik-00005.avi");
    script.OnNextDialog(IDD_VIDEO_SETTINGS, [&](CDialog& video) {
        EXPECT_EQ(Text(video, IDC_VS_COUNTER), CString("5"));
        EXPECT_EQ(Text(video, IDC_VS_PATH), CString((ExeFolder() + "\\brenik-00005.avi").c_str()));
        video.SetDlgItemText(IDC_VS_PATH, typed.c_str());
        fw::PressButton(video, IDOK);
    });
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_VIDEO_SETTINGS));
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_EQ(aviPathChanged, 1);
        EXPECT_EQ(Text(dlg, IDC_AVI_FILE), CString(typed.c_str()));

        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(LastCall("GetAviFromCam")->text, typed);
        EXPECT_EQ(aviPathChanged, 0);
        EXPECT_EQ(Text(dlg, IDC_AVI_FILE), CString(typed.c_str()));
        EXPECT_EQ(ReadText(CounterFile()), "5");
        EXPECT_EQ(dlg.m_nAviCounter, 5);
        Tick(dlg);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));

        // The next recording is numbered again, in the typed file's folder.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(LastCall("GetAviFromCam")->text, numbered);
        EXPECT_EQ(ReadText(CounterFile()), "6");
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
    });
    EXPECT_TRUE(Exists(typed));
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(RecordingTest, OldFileAtThePathSurvivesAFailedStartAndIsReplacedByARecording) {
    fw::ModalScript script;
    const std::string typed = Remember(folder_ + "\\old.avi");
    WriteText(typed, "old recording");
    Script().recordResults = {false, true};
    script.OnNextDialog(IDD_VIDEO_SETTINGS, [&](CDialog& video) {
        video.SetDlgItemText(IDC_VS_PATH, typed.c_str());
        fw::PressButton(video, IDOK);
    });
    script.OnNextDialog(IDD_VIDEO_SETTINGS, [&](CDialog& video) {
        video.SetDlgItemText(IDC_VS_PATH, typed.c_str());
        fw::PressButton(video, IDOK);
    });
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_VIDEO_SETTINGS));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(dlg.m_bRecording, 0);
        EXPECT_EQ(ReadText(typed), "old recording");

        ASSERT_TRUE(fw::PressButton(dlg, IDC_VIDEO_SETTINGS));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(LastCall("GetAviFromCam")->text, typed);
        Tick(dlg);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
    });
    EXPECT_EQ(ReadText(typed).substr(0, 4), "RIFF");
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder_ + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);  // nothing left beside it
    if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
}

TEST_F(RecordingTest, VideoSettingsCounterIsReadBackAfterOk) {
    fw::ModalScript script;
    script.OnNextDialog(IDD_VIDEO_SETTINGS, [&](CDialog& video) {
        video.SetDlgItemText(IDC_VS_COUNTER, "42");
        fw::PressButton(video, IDOK);
    });
    script.OnNextDialog(IDD_VIDEO_SETTINGS, [&](CDialog& video) {
        video.SetDlgItemText(IDC_VS_COUNTER, "99");  // cancelled: nothing changes
    });
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_VIDEO_SETTINGS));
        EXPECT_EQ(dlg.m_nAviCounter, 42);
        EXPECT_EQ(aviPathChanged, 0);
        EXPECT_EQ(Text(dlg, IDC_AVI_FILE).CompareNoCase((ExeFolder() + "\\brenik-00042.avi").c_str()), 0);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_VIDEO_SETTINGS));
        EXPECT_EQ(dlg.m_nAviCounter, 42);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(LastCall("GetAviFromCam")->text, Remember(ExeFolder() + "\\brenik-00042.avi"));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
    });
    EXPECT_EQ(ReadText(CounterFile()), "43");
}

TEST_F(RecordingTest, DoubledSizeFallsBackTo640x480) {
    fw::ModalScript script;
    const std::string file = Remember(ExeFolder() + "\\brenik-00000.avi");
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_SIZE_1600));
        dlg.m_btnSize[5].SetCheck(BST_CHECKED);
        dlg.m_btnSize[0].SetCheck(BST_UNCHECKED);
        ASSERT_EQ(dlg.m_nSizeMode, 4);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(dlg.m_nSizeMode, 2);
        EXPECT_EQ(dlg.m_btnSize[2].GetCheck(), BST_CHECKED);
        EXPECT_EQ(dlg.m_btnSize[5].GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(Numbers("GetAviFromCam")[1], 640);
        EXPECT_EQ(Numbers("GetAviFromCam")[2], 480);
        EXPECT_EQ(dlg.m_bZoom, 0);
        RECT client;
        dlg.m_pPreview->GetClientRect(&client);
        EXPECT_EQ(client.right, 640);
        EXPECT_EQ(client.bottom, 480);
        for (int i = 0; i < 5; ++i) Tick(dlg);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        // The preview stays at 640 x 480 afterwards.
        EXPECT_EQ(Numbers("Init"), (std::vector<long>{0, 640, 480}));
        EXPECT_EQ(dlg.m_nDispWidth, 640);
        dlg.m_pPreview->GetClientRect(&client);
        EXPECT_EQ(client.right, 640);
    });
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text,
              CString("Not all video size are compatible!\r\n\r\nAuto adjust video size : 640x480.\r\n"));
    EXPECT_EQ(script.messageBoxes[0].type, kWarning);
    const avi::AviFileInfo info = avi_test::ReadAvi(file);
    EXPECT_EQ(info.main.width, 640u);
    EXPECT_EQ(info.main.height, 480u);
}

TEST_F(RecordingTest, NoAudioDeviceKeepsTheAudioSwitchOff) {
    fw::ModalScript script;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        EXPECT_FALSE(Enabled(dlg, IDC_RECORD_AUDIO));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(Numbers("GetAviFromCam")[6], 0);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_FALSE(Enabled(dlg, IDC_RECORD_AUDIO));  // unlocking does not enable it
        EXPECT_EQ(dlg.m_bRecordAudio, 0);
        Remember(ExeFolder() + "\\brenik-00000.avi");
    });
}

TEST_F(RecordingTest, AudioSwitchShowsTheStripAndAFallbackIsReported) {
    fw::ModalScript script;
    Script().audioDevices = {"Line In"};
    Script().audioCompressors = {"PCM", "IMA ADPCM"};
    Script().audioFallbackOnRecord = true;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(Enabled(dlg, IDC_RECORD_AUDIO));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORD_AUDIO));
        EXPECT_EQ(dlg.m_bRecordAudio, 1);
        EXPECT_TRUE(Visible(dlg, IDC_AUDIO_STRIP));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(Numbers("GetAviFromCam")[6], 1);
        EXPECT_EQ(dlg.m_capture.m_bAudioFallback, 0);
        EXPECT_FALSE(Enabled(dlg, IDC_RECORD_AUDIO));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORD_AUDIO));
        EXPECT_EQ(dlg.m_bRecordAudio, 0);
        EXPECT_FALSE(Visible(dlg, IDC_AUDIO_STRIP));
        Remember(ExeFolder() + "\\brenik-00000.avi");
    });
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(
        script.messageBoxes[0].text,
        CString(
            "Failed to connect Audio to selected compressor!\r\nAuto adjust Audio Format : PCM\r\n\r\nThe "
            "selected compressor may not be compatible with this content.\r\n"));
    EXPECT_EQ(script.messageBoxes[0].type, static_cast<UINT>(MB_OK));
}

TEST_F(RecordingTest, CameraLostWhileRecordingEndsWithTheCompressorMessageAndAReadableFile) {
    fw::ModalScript script;
    const std::string file = Remember(ExeFolder() + "\\brenik-00000.avi");
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        Script().lostAtCapture = 6;
        for (int i = 0; i < 6; ++i) Tick(dlg);
        ExpectIdle(dlg);
        EXPECT_EQ(ReadText(CounterFile()), "1");
    });
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text, CString(kFailedContent));
    const avi::AviFileInfo info = avi_test::ReadAvi(file);
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    EXPECT_EQ(info.ChunkCount(0), 5u);
}

TEST_F(RecordingTest, CameraGoneWhileRecordingEndsWithTheDeviceLostMessages) {
    fw::ModalScript script;
    const std::string file = Remember(ExeFolder() + "\\brenik-00000.avi");
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        Script().lostAtCapture = 3;
        Script().initDefault = false;
        for (int i = 0; i < 4; ++i) Tick(dlg);
        EXPECT_EQ(dlg.m_bRecording, 0);
        EXPECT_EQ(Text(dlg, IDC_RECORDER_STATE), CString("Run recorder"));
        EXPECT_TRUE(Enabled(dlg, IDC_SIZE_640));
        EXPECT_EQ(dlg.m_bStop, 1);  // until a size change opens the camera again
    });
    ASSERT_EQ(script.messageBoxes.size(), 2u);
    EXPECT_EQ(script.messageBoxes[0].text, CString("Video capture device lost.Stopping capture!"));
    EXPECT_EQ(script.messageBoxes[1].text,
              CString("ERROR during capture AVI file (Device Lost).Stopping capture!\r\n"));
    const avi::AviFileInfo info = avi_test::ReadAvi(file);
    EXPECT_EQ(info.ChunkCount(0), 2u);
}

TEST_F(RecordingTest, SettingsDialogsRunInsideTheDialogPause) {
    fw::ModalScript script;
    std::vector<int> pauses;
    RunMonitor(script, [&](CMonitorDlg& dlg) {
        script.OnNextDialog(IDD_AUDIO_SETTINGS, [&](CDialog& audio) {
            pauses.push_back(dlg.m_bDialogPause);
            fw::PressButton(audio, IDC_AS_VIDEO);  // stored at once, even without OK
        });
        ASSERT_TRUE(fw::PressButton(dlg, IDC_AUDIO_SETTINGS));
        EXPECT_EQ(masterStream, 2);
        EXPECT_EQ(dlg.m_bDialogPause, 0);

        script.OnNextDialog(IDD_TIMERSHOT_SETTINGS, [&](CDialog& timer) {
            pauses.push_back(dlg.m_bDialogPause);
            timer.SetDlgItemText(IDC_TS_SECONDS, "12");
            fw::PressButton(timer, IDC_TS_OK);
        });
        ASSERT_TRUE(fw::PressButton(dlg, IDC_TIMER_SHOT_SETTINGS));
        EXPECT_EQ(timerShotSeconds, 12);
        EXPECT_EQ(dlg.m_bDialogPause, 0);

        // The recording gets the master stream chosen.
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        EXPECT_EQ(Numbers("GetAviFromCam")[5], 2);
        ASSERT_TRUE(fw::PressButton(dlg, IDC_RECORDER));
        Remember(ExeFolder() + "\\brenik-00000.avi");
    });
    EXPECT_EQ(pauses, (std::vector<int>{1, 1}));
}

}  // namespace
