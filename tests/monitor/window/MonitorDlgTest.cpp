// The main window with the scripted camera: start-up, the template's controls, the compressor
// lists, size changes, the preview's placement and the ways the program ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "monitor/app/MonitorSettings.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/window/MonitorLayout.h"
#include "monitor/window/PreviewWnd.h"
#include "tests/monitor/window/MonitorHarness.h"

using namespace monitor_test;
using yscap_double::Script;

namespace {

class MonitorDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWorld();
        counterFile_ = ExeFolder() + "\\brenik.inf";
        std::remove(counterFile_.c_str());
    }
    void TearDown() override { std::remove(counterFile_.c_str()); }

    std::string counterFile_;
};

RECT WindowRect(HWND wnd) {
    RECT r;
    ::GetWindowRect(wnd, &r);
    return r;
}

SIZE ClientSize(HWND wnd) {
    RECT r;
    ::GetClientRect(wnd, &r);
    return {r.right, r.bottom};
}

std::vector<std::string> CallNumbers(const yscap_double::CaptureCall* call) {
    std::vector<std::string> numbers;
    if (call)
        for (long n : call->numbers) numbers.push_back(std::to_string(n));
    return numbers;
}

TEST_F(MonitorDlgTest, StartUpOpensTheCameraShowsTheSplashAndPlacesThePreview) {
    fw::ModalScript script;
    Script().deviceName = "Lab Camera";
    RunMonitor(script, [](CMonitorDlg& dlg) {
        EXPECT_EQ(dlg.m_capture.m_strDeviceKey, "CAM");
        EXPECT_EQ(CallNumbers(LastCall("Init")), (std::vector<std::string>{"0", "320", "240"}));
        CString label;
        dlg.GetDlgItemText(IDC_DEVICE_LABEL, label);
        EXPECT_EQ(label, CString("Lab Camera"));
        EXPECT_EQ(dlg.m_nDispWidth, 320);
        EXPECT_EQ(dlg.m_nDispHeight, 240);
        EXPECT_EQ(dlg.m_btnSize[0].GetCheck(), BST_CHECKED);
        EXPECT_NE(dlg.m_pZoomBuf, nullptr);
        EXPECT_NE(dlg.m_pCamIcon, nullptr);
        EXPECT_NE(dlg.m_pTargetIcon, nullptr);
        EXPECT_TRUE(dlg.m_hSkin);
        EXPECT_NE(dlg.SendMessage(WM_GETICON, ICON_BIG), 0);

        // Sized to the skin and shaped by it.
        const RECT main = WindowRect(dlg.m_hWnd);
        EXPECT_EQ(main.right - main.left, 360);
        EXPECT_EQ(main.bottom - main.top, 355);
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_NE(::GetWindowRgn(dlg.m_hWnd, region), ERROR);
        EXPECT_FALSE(::PtInRegion(region, 0, 0));  // the rounded corner is cut away
        EXPECT_TRUE(::PtInRegion(region, 180, 170));
        ::DeleteObject(region);

        // The preview: created, shown, its client the display size, right edge on the main window.
        ASSERT_NE(dlg.m_pPreview, nullptr);
        HWND preview = dlg.m_pPreview->m_hWnd;
        EXPECT_TRUE(::IsWindowVisible(preview));
        EXPECT_EQ(::GetWindow(preview, GW_OWNER), dlg.m_hWnd);
        CString title;
        dlg.m_pPreview->GetWindowText(title);
        EXPECT_EQ(title, CString("Halmere Webcam"));
        EXPECT_EQ(ClientSize(preview).cx, 320);
        EXPECT_EQ(ClientSize(preview).cy, 240);
        const RECT p = WindowRect(preview);
        EXPECT_EQ(p.right, main.left);
        EXPECT_EQ(p.top, main.top + (355 - 240) / 2);
        EXPECT_EQ(dlg.m_bPopupPreview, 1);
        EXPECT_FALSE(::GetWindowLong(dlg.GetDlgItem(IDC_PICTURE)->m_hWnd, GWL_STYLE) & WS_VISIBLE);

        // Centred on the work area, then moved right by half the display width.
        RECT area;
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
        EXPECT_NEAR(main.left, (area.left + area.right - 360) / 2 + 160, 1);
    });
    ASSERT_GE(script.dialogs.size(), 2u);
    EXPECT_EQ(script.dialogs[0].templateId, static_cast<UINT>(IDD_SPLASH));  // before the window runs
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(MonitorDlgTest, ControlsSitOnTheSkinAndKeepTheTemplatesKinds) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        for (const monitor::ControlPlace& place : monitor::MonitorControls()) {
            HWND control = ::GetDlgItem(dlg.m_hWnd, place.id);
            ASSERT_NE(control, nullptr) << place.id;
            RECT r = WindowRect(control);
            ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, place.x) << place.id;
            EXPECT_EQ(r.top, place.y) << place.id;
        }
        // The size buttons are one radio group; the recorder and monitor are check buttons. The
        // skinned buttons draw themselves and keep the template's kind.
        auto kind = [&dlg](int id) {
            auto* button =
                dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, id)));
            return button ? button->GetKind() : -1;
        };
        for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1071}) {
            EXPECT_EQ(::GetWindowLong(::GetDlgItem(dlg.m_hWnd, id), GWL_STYLE) & 0xF, BS_OWNERDRAW) << id;
            EXPECT_EQ(kind(id), CSkinButton::kRadioButton) << id;
        }
        EXPECT_TRUE(::GetWindowLong(::GetDlgItem(dlg.m_hWnd, 1000), GWL_STYLE) & WS_GROUP);
        EXPECT_TRUE(::GetWindowLong(::GetDlgItem(dlg.m_hWnd, 1008), GWL_STYLE) & WS_GROUP);
        for (int id : {1056, 1069}) EXPECT_EQ(kind(id), CSkinButton::kCheckBox) << id;
        EXPECT_EQ(kind(1013), CSkinButton::kPushButton);
        CString state;
        dlg.GetDlgItemText(IDC_RECORDER_STATE, state);
        EXPECT_EQ(state, CString("Run recorder"));
        // The recording lamp lies over the recorder button.
        EXPECT_EQ(::GetWindow(::GetDlgItem(dlg.m_hWnd, 1057), GW_HWNDNEXT), ::GetDlgItem(dlg.m_hWnd, 1056));
    });
}

struct ListCase {
    std::vector<std::string> video, audioDevices, audioCompressors;
    int video_index, audio_compressor_index;
};

TEST_F(MonitorDlgTest, CompressorListsSelectTheirDefaultEntries) {
    const ListCase cases[] = {
        {{"DivX 6.0"}, {"Mic"}, {"PCM"}, 0, 0},  // one entry: no name test
        {{"Full Frames (Uncompressed)", "DivX 6.0"},
         {"Mic"},
         {"GSM 6.10", "PCM"},
         0,
         0},  // only the last matches
        {{"Full Frames (Uncompressed)", "intel indeo(r) video", "DIVX", "x"},
         {"Mic"},
         {"IMA ADPCM", "pcm", "A-Law"},
         1,
         1},
        {{"Cinepak", "MS-RLE", "DivX Pro", "x"}, {"Mic"}, {"PCM", "IMA ADPCM"}, 2, 0},
    };
    for (const ListCase& c : cases) {
        ResetWorld();
        Script().videoCompressors = c.video;
        Script().audioDevices = c.audioDevices;
        Script().audioCompressors = c.audioCompressors;
        fw::ModalScript script;
        RunMonitor(script, [&c](CMonitorDlg& dlg) {
            EXPECT_EQ(dlg.m_cbVideoCompressor.GetCount(), static_cast<int>(c.video.size()));
            EXPECT_EQ(dlg.m_cbVideoCompressor.GetCurSel(), c.video_index) << c.video[0];
            EXPECT_EQ(videoCompressorIndex, c.video_index);
            EXPECT_EQ(dlg.m_cbAudioCompressor.GetCurSel(), c.audio_compressor_index) << c.audioCompressors[0];
            EXPECT_EQ(audioCompressorIndex, c.audio_compressor_index);
            EXPECT_EQ(dlg.m_cbAudioDevice.GetCurSel(), 0);
            EXPECT_EQ(dlg.m_bAudioCompressorPresent, 1);
            EXPECT_EQ(dlg.m_bNoAudioDevice, 0);
            EXPECT_TRUE(dlg.m_btnRecordAudio.IsWindowEnabled());
        });
    }
}

TEST_F(MonitorDlgTest, NoAudioInputOrCompressorGivesNone) {
    Script().audioDevices.clear();
    Script().audioCompressors.clear();
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        CString text;
        dlg.m_cbAudioDevice.GetLBText(0, text);
        EXPECT_EQ(text, CString("None"));
        EXPECT_EQ(dlg.m_cbAudioDevice.GetCount(), 1);
        EXPECT_EQ(dlg.m_bNoAudioDevice, 1);
        EXPECT_FALSE(dlg.m_btnRecordAudio.IsWindowEnabled());
        dlg.m_cbAudioCompressor.GetLBText(0, text);
        EXPECT_EQ(text, CString("None"));
        EXPECT_EQ(dlg.m_bAudioCompressorPresent, 0);
        EXPECT_EQ(audioDeviceIndex, 0);
        EXPECT_EQ(audioCompressorIndex, 0);
    });
}

TEST_F(MonitorDlgTest, CounterFileNamesTheNextAviFile) {
    const std::string folder = ExeFolder();
    {
        fw::ModalScript script;  // no counter file: 0, and the file is made
        RunMonitor(script, [&](CMonitorDlg& dlg) {
            EXPECT_EQ(dlg.m_nAviCounter, 0);
            EXPECT_EQ(dlg.m_strAviFile, CString((folder + "\\brenik-00000.avi").c_str()));
            CString shown;
            dlg.GetDlgItemText(IDC_AVI_FILE, shown);
            EXPECT_EQ(shown, dlg.m_strAviFile);
            EXPECT_EQ(aviPath, dlg.m_strAviFile);
        });
        std::ifstream in(counterFile_);
        std::string text;
        in >> text;
        EXPECT_EQ(text, "0");
    }
    {
        std::ofstream(counterFile_) << "-3";
        fw::ModalScript script;
        RunMonitor(script, [&](CMonitorDlg& dlg) {
            EXPECT_EQ(dlg.m_nAviCounter, -3);
            EXPECT_EQ(aviPath, CString((folder + "\\brenik--0003.avi").c_str()));
        });
    }
    {
        std::ofstream(counterFile_) << "next";
        fw::ModalScript script;  // not a number: the count stays where the window started it
        RunMonitor(script, [&](CMonitorDlg& dlg) { EXPECT_EQ(dlg.m_nAviCounter, 0); });
        std::ifstream in(counterFile_);
        std::string text;
        in >> text;
        EXPECT_EQ(text, "next");
    }
}

TEST_F(MonitorDlgTest, NoCameraEndsTheProgramWithOneMessage) {
    Script().initDefault = false;
    fw::ModalScript script;
    bool ran = false;
    const INT_PTR result = RunMonitor(script, [&](CMonitorDlg&) { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text, CString("Not found video capture device!"));
    EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
    EXPECT_EQ(script.messageBoxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(CountCalls("Init"), 1);
    EXPECT_GE(CountCalls("Release"), 1);
    EXPECT_EQ(CountCalls("AddCompressorsToList"), 0);
    EXPECT_TRUE(script.dialogs.empty());  // no splash, and the window never ran
}

TEST_F(MonitorDlgTest, SizeButtonsReopenTheCameraAtTheirCaptureSize) {
    fw::ModalScript script;
    RunMonitor(script, [&script](CMonitorDlg& dlg) {
        struct Row {
            int id, dw, dh, cw, ch, zoom, mode;
        };
        const Row rows[] = {{1002, 640, 480, 640, 480, 0, 2},  {1003, 800, 600, 800, 600, 0, 3},
                            {1004, 1280, 960, 640, 480, 1, 5}, {1005, 1600, 1200, 800, 600, 1, 4},
                            {1001, 320, 240, 320, 240, 0, 1},  {1071, 1600, 1200, 800, 600, 1, 4},
                            {1000, 320, 240, 320, 240, 0, 0}};
        for (const Row& row : rows) {
            g_pauses.clear();
            const int releases = CountCalls("Release");
            ASSERT_TRUE(fw::PressButton(dlg, row.id)) << row.id;
            EXPECT_EQ(CountCalls("Release"), releases + 1);
            EXPECT_EQ(CallNumbers(LastCall("Init")),
                      (std::vector<std::string>{"0", std::to_string(row.cw), std::to_string(row.ch)}))
                << row.id;
            EXPECT_EQ(g_pauses, (std::vector<uint32_t>{150, 250}));
            EXPECT_EQ(dlg.m_nDispWidth, row.dw);
            EXPECT_EQ(dlg.m_nDispHeight, row.dh);
            EXPECT_EQ(dlg.m_bZoom, row.zoom);
            EXPECT_EQ(dlg.m_nSizeMode, row.mode);
            EXPECT_EQ(dlg.m_bStop, 0);
            EXPECT_EQ(dlg.m_pPreview->Width(), row.dw);
            EXPECT_EQ(ClientSize(dlg.m_pPreview->m_hWnd).cx, row.dw) << row.id;
            EXPECT_EQ(ClientSize(dlg.m_pPreview->m_hWnd).cy, row.dh) << row.id;
            // The preview keeps its right edge on the main window (or sits at the screen's edge).
            const RECT p = WindowRect(dlg.m_pPreview->m_hWnd);
            const RECT m = WindowRect(dlg.m_hWnd);
            EXPECT_TRUE(p.right == m.left || p.left == 0) << row.id;
            // A tick shows the picture at the display size.
            Tick(dlg);
            if (row.zoom) {
                EXPECT_EQ(dlg.m_pZoomBuf[0], kGrey);
                EXPECT_EQ(dlg.m_pZoomBuf[size_t(row.dw) * row.dh * 3 - 1], kGrey);
            }
        }
        EXPECT_TRUE(script.messageBoxes.empty());
    });
}

TEST_F(MonitorDlgTest, FailedReopenStopsTheTickUntilTheNextSizeChange) {
    Script().initResults = {true, false};
    fw::ModalScript script;
    RunMonitor(script, [&script](CMonitorDlg& dlg) {
        ASSERT_TRUE(fw::PressButton(dlg, 1004));
        ASSERT_EQ(script.messageBoxes.size(), 1u);
        EXPECT_EQ(script.messageBoxes[0].text, CString("Video capture device lost.Stopping capture!"));
        EXPECT_EQ(script.messageBoxes[0].caption, CString("Halmere"));
        EXPECT_EQ(dlg.m_pZoomBuf, nullptr);
        EXPECT_EQ(dlg.m_bStop, 1);
        EXPECT_EQ(dlg.m_bZoom, 0);
        EXPECT_EQ(dlg.m_nDispWidth, 1280);  // the size stays chosen
        Tick(dlg);
        Tick(dlg);
        EXPECT_EQ(Script().framesDelivered, 0);  // nothing is open, nothing is drawn
        ASSERT_TRUE(fw::PressButton(dlg, 1002));
        EXPECT_EQ(dlg.m_bStop, 0);
        Tick(dlg);
        EXPECT_EQ(Script().framesDelivered, 1);
        EXPECT_EQ(script.messageBoxes.size(), 1u);
    });
}

TEST_F(MonitorDlgTest, PreviewIsClampedAtTheScreensLeftEdge) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        dlg.SetWindowPos(nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dlg.PlacePreview();
        RECT p = WindowRect(dlg.m_pPreview->m_hWnd);
        EXPECT_EQ(p.left, 0);  // overlapping the main window
        EXPECT_EQ(p.top, 50 + (355 - 240) / 2);
        ASSERT_TRUE(fw::PressButton(dlg, 1005));  // 1600 x 1200 from y 50: the top is clamped too
        p = WindowRect(dlg.m_pPreview->m_hWnd);
        EXPECT_EQ(p.left, 0);
        EXPECT_EQ(p.top, 0);
        EXPECT_EQ(ClientSize(dlg.m_pPreview->m_hWnd).cx, 1600);
    });
}

TEST_F(MonitorDlgTest, MinimisedPreviewGetsItsClientSizeBackWhenRestored) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        HWND preview = dlg.m_pPreview->m_hWnd;
        ::ShowWindow(preview, SW_MINIMIZE);
        EXPECT_EQ(previewRestore, 1);
        ::ShowWindow(preview, SW_RESTORE);
        EXPECT_EQ(previewRestore, 0);
        EXPECT_EQ(ClientSize(preview).cx, 320);
        EXPECT_EQ(ClientSize(preview).cy, 240);
        EXPECT_GE(WindowRect(preview).left, 0);

        // A size change while minimised: the window, frame included, takes the display size until
        // the restore gives the client area that size.
        ::ShowWindow(preview, SW_MINIMIZE);
        ASSERT_TRUE(fw::PressButton(dlg, 1002));
        ::ShowWindow(preview, SW_RESTORE);
        EXPECT_EQ(previewRestore, 0);
        EXPECT_EQ(ClientSize(preview).cx, 640);
        EXPECT_EQ(ClientSize(preview).cy, 480);
    });
}

TEST_F(MonitorDlgTest, PreviewIsDraggedByItsClientArea) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        CPreviewWnd& preview = *dlg.m_pPreview;
        const RECT before = WindowRect(preview.m_hWnd);
        preview.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        EXPECT_TRUE(preview.IsDragging());
        EXPECT_EQ(::GetCapture(), preview.m_hWnd);
        preview.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, 4));
        const RECT after = WindowRect(preview.m_hWnd);
        EXPECT_EQ(after.left - before.left, 15);
        EXPECT_EQ(after.top - before.top, -6);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        preview.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(25, 4));
        EXPECT_FALSE(preview.IsDragging());
        EXPECT_NE(::GetCapture(), preview.m_hWnd);
        preview.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, 60));
        EXPECT_EQ(WindowRect(preview.m_hWnd).left, after.left);
    });
}

TEST_F(MonitorDlgTest, ClosingThePreviewEndsTheModalRun) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        dlg.m_pPreview->SendMessage(WM_CLOSE);
        MSG msg;
        EXPECT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // the modal loop's end
        // Enter and Escape never reach the dialogs.
        MSG key = {dlg.m_pPreview->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        EXPECT_TRUE(dlg.m_pPreview->PreTranslateMessage(&key));
        key.hwnd = dlg.m_hWnd;
        key.wParam = VK_RETURN;
        EXPECT_TRUE(dlg.PreTranslateMessage(&key));
    });
}

TEST_F(MonitorDlgTest, CloseButtonStopsTheTickAndTearsEverythingDown) {
    fw::ModalScript script;
    HWND preview = nullptr;
    RunMonitor(script, [&preview](CMonitorDlg& dlg) {
        preview = dlg.m_pPreview->m_hWnd;
        const int releases = CountCalls("Release");
        ASSERT_TRUE(fw::PressButton(dlg, IDC_CLOSE));
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        EXPECT_EQ(dlg.m_bStop, 1);
        EXPECT_EQ(CountCalls("Release"), releases + 1);
        EXPECT_EQ(dlg.m_pPreview, nullptr);
        EXPECT_EQ(dlg.m_pZoomBuf, nullptr);
        EXPECT_EQ(dlg.m_pCamIcon, nullptr);
        EXPECT_FALSE(dlg.m_hSkin);
    });
    EXPECT_FALSE(::IsWindow(preview));
}

TEST_F(MonitorDlgTest, TrayExitClosesLikeTheCloseButton) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        dlg.SendMessage(WM_COMMAND, ID_TRAY_EXIT);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
        EXPECT_EQ(dlg.m_bStop, 1);
    });
}

TEST_F(MonitorDlgTest, AboutRunsInsideTheDialogPause) {
    fw::ModalScript script;
    RunMonitor(script, [&script](CMonitorDlg& dlg) {
        BYTE pauseInside = 0;
        script.OnNextDialog(IDD_ABOUTBOX, [&](CDialog&) { pauseInside = dlg.m_bDialogPause; });
        ASSERT_TRUE(fw::PressButton(dlg, IDC_ABOUT));
        EXPECT_EQ(pauseInside, 1);
        EXPECT_EQ(dlg.m_bDialogPause, 0);
        EXPECT_EQ(script.dialogs.back().templateId, static_cast<UINT>(IDD_ABOUTBOX));
    });
}

TEST_F(MonitorDlgTest, WindowIsDraggedByItsFaceAndButtonsShowTheHand) {
    fw::ModalScript script;
    RunMonitor(script, [](CMonitorDlg& dlg) {
        RECT r = WindowRect(dlg.m_hWnd);
        EXPECT_EQ(dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(r.left + 180, r.top + 140)), HTCAPTION);
        // The system menu's 0x0010 command is swallowed; the window stays as it is.
        dlg.SendMessage(WM_SYSCOMMAND, 0x0010);
        EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
        EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dlg.m_hIcon));
        HWND about = ::GetDlgItem(dlg.m_hWnd, IDC_ABOUT);
        EXPECT_TRUE(dlg.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(about),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), ::LoadCursor(::GetModuleHandle(nullptr), MAKEINTRESOURCE(193)));
    });
}

}  // namespace
