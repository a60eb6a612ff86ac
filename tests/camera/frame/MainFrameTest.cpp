// The main frame as the program creates it, in this process, with the test camera and the test
// microphone. Message boxes and the save dialog go through the framework's modal seam.
#include "camera/frame/MainFrame.h"

#include <gtest/gtest.h>

#include <dbt.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "camera/app/resource.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelUtility/PelLang.h"
#include "camera/photo/PhotoCapture.h"
#include "camera/settings/CameraSettings.h"
#include "framework/CmdUI.h"
#include "tests/support/ModalScript.h"
#include "framework/PropertySheet.h"
#include "tests/media/avi/ReadAvi.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

namespace {

constexpr int kDevicePopup = 1, kCapturePopup = 2, kOptionPopup = 3;

using probe::Pump;

template <typename Condition>
bool PumpUntil(Condition done, DWORD ms = 5000) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        if (done()) return true;
        Pump(50);
    }
    return done();
}

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

class MainFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(probe::RunTestcamctl("plug"), 0);
        classes = pel::RegisterPelFilters();
        ASSERT_TRUE(classes.Registered());
        album = std::filesystem::temp_directory_path() / "pelc-album";
        std::filesystem::remove_all(album);
        std::filesystem::create_directories(album);
        CameraSettings.Clear();
        CameraSettings.displaySize = 4;
        CameraSettings.photoSize = 4;
        CameraSettings.albumFolder = (album / "").wstring();
        SetPhotoOpenerForTesting([this](HWND, const std::wstring& path) { opened.push_back(path); });
    }
    void TearDown() override {
        Close();
        SetPhotoOpenerForTesting(nullptr);
        probe::RunTestcamctl("plug");
        CameraSettings.Clear();
        std::error_code ignored;
        std::filesystem::remove_all(album, ignored);
    }

    void Open() {
        MainFrameContext context;
        context.saveSettings = [this] { ++saves; };
        frame = new CMainFrame(std::move(context));
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
        window = frame->m_hWnd;
        frame->ShowWindow(SW_SHOW);
        Pump(100);
    }
    void Close() {
        if (window && IsWindow(window)) SendMessageW(window, WM_CLOSE, 0, 0);
        window = nullptr;
        frame = nullptr;
    }
    HMENU Popup(int position) const { return GetSubMenu(GetMenu(window), position); }
    // Whether the item is enabled when its pop-up opens.
    bool Enabled(int popup, UINT id) {
        SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(Popup(popup)), popup);
        return (GetMenuState(Popup(popup), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    bool Checked(UINT id) const {
        return (GetMenuState(Popup(kDevicePopup), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    void Command(UINT id) { SendMessageW(window, WM_COMMAND, id, 0); }
    std::wstring Pane() { return static_cast<const wchar_t*>(frame->StatusBar().GetPaneText(0)); }

    ScopedComInit com;
    pel::PelFilterClasses classes;
    fw::ModalScript script;
    std::filesystem::path album;
    std::vector<std::wstring> opened;
    int saves = 0;
    CMainFrame* frame = nullptr;
    HWND window = nullptr;
};

TEST_F(MainFrameTest, OpensWithThePreviewOfTheFirstCamera) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    EXPECT_TRUE(script.messageBoxes.empty());
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"USB2.0 PC CAMERA");

    // Four pop-ups: the Help pop-up is gone. Without a language file the resource texts stay.
    HMENU menu = GetMenu(window);
    EXPECT_EQ(GetMenuItemCount(menu), 4);
    EXPECT_EQ(MenuText(menu, 0), L"\x6587\x4EF6(&F)");
    // Device menu: camera, separator, microphone; both ticked.
    HMENU devices = Popup(kDevicePopup);
    ASSERT_EQ(GetMenuItemCount(devices), 3);
    EXPECT_EQ(MenuText(devices, 0), L"Test Pattern Camera");
    EXPECT_EQ(GetMenuItemID(devices, 0), static_cast<UINT>(ID_VIDEO_DEVICE_FIRST));
    EXPECT_TRUE(GetMenuState(devices, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(MenuText(devices, 2), L"Test Tone Microphone");
    EXPECT_TRUE(Checked(ID_VIDEO_DEVICE_FIRST));
    EXPECT_TRUE(Checked(ID_AUDIO_DEVICE_FIRST));
    // Option menu: settings, effects, separator, the camera's property item.
    HMENU option = Popup(kOptionPopup);
    ASSERT_EQ(GetMenuItemCount(option), 4);
    EXPECT_EQ(GetMenuItemID(option, 3), static_cast<UINT>(ID_PROPERTY_FIRST));
    EXPECT_EQ(frame->PropertyPosition(), 0);

    EXPECT_TRUE(Enabled(kCapturePopup, ID_TAKE_PHOTO));
    EXPECT_TRUE(Enabled(kCapturePopup, ID_CAPTURE_START));
    EXPECT_FALSE(Enabled(kCapturePopup, ID_CAPTURE_STOP));
    EXPECT_TRUE(Enabled(kOptionPopup, ID_SETTINGS));
    EXPECT_TRUE(Enabled(kOptionPopup, ID_PROPERTY_FIRST));
    EXPECT_TRUE(Enabled(kDevicePopup, ID_VIDEO_DEVICE_FIRST));

    // The view shows the 640 x 480 output size.
    RECT view{};
    GetClientRect(GetDlgItem(window, AFX_IDW_PANE_FIRST), &view);
    EXPECT_EQ(view.right, 640);
    EXPECT_EQ(view.bottom, 480);
    // The status timer puts the camera's name in the pane.
    EXPECT_TRUE(PumpUntil([&] { return Pane() == L"USB2.0 PC CAMERA"; }));
    EXPECT_TRUE(frame->DeviceNotificationRegistered());
}

TEST_F(MainFrameTest, WithoutACameraOnlyTheMicrophoneIsListedAndPreviewCommandsStayDisabled) {
    ASSERT_EQ(probe::RunTestcamctl("unplug"), 0);
    Open();
    EXPECT_EQ(frame->Graph().State(), Idle);
    EXPECT_TRUE(script.messageBoxes.empty());
    HMENU devices = Popup(kDevicePopup);
    ASSERT_EQ(GetMenuItemCount(devices), 1);  // no separator
    EXPECT_EQ(MenuText(devices, 0), L"Test Tone Microphone");
    EXPECT_EQ(frame->VideoDeviceCount(), 0);
    for (UINT id : {ID_TAKE_PHOTO, ID_CAPTURE_START, ID_CAPTURE_STOP})
        EXPECT_FALSE(Enabled(kCapturePopup, id)) << id;
    for (UINT id : {ID_SETTINGS, ID_EFFECTS}) EXPECT_FALSE(Enabled(kOptionPopup, id)) << id;
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 480);
}

TEST_F(MainFrameTest, UnplugHaltsAndClearsThePanePlugWhileIdleRestartsThePreview) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    ASSERT_TRUE(PumpUntil([&] { return Pane() == L"USB2.0 PC CAMERA"; }));

    ASSERT_EQ(probe::RunTestcamctl("unplug", true), 0);
    EXPECT_TRUE(PumpUntil([&] { return frame->Graph().State() == Idle; }));
    Pump(700);
    EXPECT_EQ(Pane(), L"");
    EXPECT_TRUE(PumpUntil([&] { return GetMenuItemCount(Popup(kDevicePopup)) == 1; }));
    EXPECT_FALSE(Enabled(kCapturePopup, ID_TAKE_PHOTO));

    ASSERT_EQ(probe::RunTestcamctl("plug", true), 0);
    EXPECT_TRUE(PumpUntil([&] { return frame->Graph().State() == Previewing; }));
    EXPECT_EQ(GetMenuItemCount(Popup(kDevicePopup)), 3);
    EXPECT_TRUE(Checked(ID_VIDEO_DEVICE_FIRST));
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(MainFrameTest, ArrivalWhilePreviewingOnlyRelistsTheDevices) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    IMoniker* current = frame->Graph().CurrentVideoMoniker();
    IBaseFilter* camera = frame->Graph().VideoCaptureFilter();
    DEV_BROADCAST_DEVICEINTERFACE_W arrival{};
    arrival.dbcc_size = sizeof arrival;
    arrival.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    arrival.dbcc_classguid = {0x65E8773D, 0x8F56, 0x11D0, {0xA3, 0xB9, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};
    EXPECT_EQ(SendMessageW(window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&arrival)),
              TRUE);
    EXPECT_EQ(frame->Graph().State(), Previewing);
    EXPECT_EQ(frame->Graph().CurrentVideoMoniker(), current);
    EXPECT_EQ(frame->Graph().VideoCaptureFilter(), camera);
    EXPECT_EQ(GetMenuItemCount(Popup(kDevicePopup)), 3);
    EXPECT_TRUE(Checked(ID_VIDEO_DEVICE_FIRST));  // the fresh list is ticked against the pair in use
}

TEST_F(MainFrameTest, PhotoAtTheVideoSizeIsAByteExactCopyWrittenToTheAlbum) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    Command(ID_TAKE_PHOTO);
    ASSERT_TRUE(PumpUntil([&] { return !opened.empty(); }));  // only a written photo is opened
    ASSERT_EQ(opened.size(), 1u);
    const std::wstring path = opened[0];
    EXPECT_EQ(path.rfind(CameraSettings.albumFolder, 0), 0u);
    EXPECT_EQ(path.substr(path.size() - 4), L".jpg");

    const PIC_PARAM& photo = ProcessPhotoBuffer().Param();
    ASSERT_EQ(photo.width, 640);
    ASSERT_EQ(photo.height, 480);
    ASSERT_EQ(frame->SampleGrabber().FrameWidth(), 640);
    EXPECT_EQ(std::memcmp(photo.pixels, frame->SampleGrabber().FrameBits(), 640 * 480 * 3), 0);

    std::error_code error;
    EXPECT_GT(std::filesystem::file_size(path, error), 1000u);
    FILE* file = _wfopen(path.c_str(), L"rb");
    ASSERT_NE(file, nullptr);
    unsigned char head[2] = {};
    fread(head, 1, 2, file);
    fclose(file);
    EXPECT_EQ(head[0], 0xFF);
    EXPECT_EQ(head[1], 0xD8);
}

TEST_F(MainFrameTest, StartAndStopCaptureRecordAndReturnToAPreview) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);

    // Cancelling the save dialog keeps the preview.
    script.AnswerFileDialog(_T(""));
    Command(ID_CAPTURE_START);
    EXPECT_EQ(frame->Graph().State(), Previewing);
    ASSERT_EQ(script.fileDialogs.size(), 1u);
    EXPECT_FALSE(script.fileDialogs[0].open);
    EXPECT_EQ(script.fileDialogs[0].filter, CString(_T("AVI File(*.avi)|*.avi||")));

    const std::wstring path = (album / "clip.avi").wstring();
    script.AnswerFileDialog(path.c_str());
    Command(ID_CAPTURE_START);
    ASSERT_EQ(frame->Graph().State(), Capturing);
    EXPECT_TRUE(frame->Graph().CaptureGraphBuilt());
    EXPECT_TRUE(Enabled(kCapturePopup, ID_CAPTURE_STOP));
    EXPECT_FALSE(Enabled(kCapturePopup, ID_TAKE_PHOTO));
    EXPECT_FALSE(Enabled(kDevicePopup, ID_VIDEO_DEVICE_FIRST));
    Pump(1200);

    Command(ID_CAPTURE_STOP);
    EXPECT_EQ(frame->Graph().State(), Previewing);
    EXPECT_TRUE(frame->Graph().PreviewGraphBuilt());
    EXPECT_TRUE(script.messageBoxes.empty());

    const avi::AviFileInfo info = avi_test::ReadAvi(std::filesystem::path(path).string());
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    EXPECT_EQ(info.streams.size(), 2u);
    EXPECT_GE(info.ChunkCount(0), 10u);
}

// A recording that cannot start (its folder is missing) leaves the preview running as before: one
// message, no file, photos and the picture commands work.
TEST_F(MainFrameTest, RecordingThatCannotStartRunsThePreviewAgain) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    const std::wstring path = (album / "missing" / "clip.avi").wstring();
    script.AnswerFileDialog(path.c_str());
    Command(ID_CAPTURE_START);
    ASSERT_EQ(script.messageBoxes.size(), 1u);
    EXPECT_EQ(script.messageBoxes[0].text, CString(L"Preassign File Space Failed\xFF01"));
    EXPECT_EQ(frame->Graph().State(), Previewing);
    EXPECT_TRUE(frame->Graph().PreviewGraphBuilt());
    EXPECT_NE(frame->Graph().OverlayFilter(), nullptr);
    EXPECT_TRUE(Enabled(kCapturePopup, ID_TAKE_PHOTO));
    EXPECT_TRUE(Enabled(kOptionPopup, ID_EFFECTS));
    EXPECT_FALSE(std::filesystem::exists(path));
    Command(ID_TAKE_PHOTO);
    EXPECT_TRUE(PumpUntil([&] { return !opened.empty(); })) << "photos work again";
    EXPECT_EQ(script.messageBoxes.size(), 1u);
}

// A photo that cannot be written is named in one message and not opened: a missing album folder,
// and one whose name the ANSI code page cannot express.
TEST_F(MainFrameTest, PhotoThatCannotBeWrittenIsNamedInOneMessageAndNotOpened) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    std::vector<std::filesystem::path> folders = {album / "gone"};
    if (GetACP() != CP_UTF8) {
        folders.push_back(album / L"\x76F8\x518C");
        std::filesystem::create_directories(folders.back());
    }
    for (const std::filesystem::path& folder : folders) {
        const size_t before = script.messageBoxes.size();
        CameraSettings.albumFolder = (folder / "").wstring();
        Command(ID_TAKE_PHOTO);
        ASSERT_TRUE(PumpUntil([&] { return script.messageBoxes.size() > before; })) << folder;
        Pump(300);
        ASSERT_EQ(script.messageBoxes.size(), before + 1) << folder;
        const std::wstring text = static_cast<const wchar_t*>(script.messageBoxes.back().text);
        const std::wstring named = L"The photo was not written:\r\n" + CameraSettings.albumFolder;
        EXPECT_EQ(text.rfind(named, 0), 0u) << folder;
        EXPECT_EQ(text.substr(text.size() - 4), L".jpg") << folder;
        EXPECT_TRUE(opened.empty()) << "a missing file is not opened";
    }
    CameraSettings.albumFolder = (album / "").wstring();
    Command(ID_TAKE_PHOTO);
    ASSERT_TRUE(PumpUntil([&] { return !opened.empty(); }));
    EXPECT_EQ(opened.size(), 1u);
}

// The right-click frame commands reach the overlay filter: greyed, and without effect, while
// recording and while no preview runs.
TEST_F(MainFrameTest, FrameTypeCommandsAreGreyedWhileRecordingOrWithoutAPreview) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    auto noFrameEnabled = [&] {
        HMENU inner = GetSubMenu(frame->FillFrameTypeMenu(), 0);
        return (GetMenuState(inner, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
    };
    EXPECT_TRUE(noFrameEnabled());

    CameraSettings.photoFrame = L"Gold";
    const std::wstring path = (album / "clip.avi").wstring();
    script.AnswerFileDialog(path.c_str());
    Command(ID_CAPTURE_START);
    ASSERT_EQ(frame->Graph().State(), Capturing);
    EXPECT_FALSE(noFrameEnabled());
    Command(ID_FRAME_TYPE_FIRST);
    EXPECT_EQ(CameraSettings.photoFrame, L"Gold") << "the choice is not stored";
    Command(ID_CAPTURE_STOP);
    ASSERT_EQ(frame->Graph().State(), Previewing);
    EXPECT_TRUE(noFrameEnabled());

    ASSERT_EQ(probe::RunTestcamctl("unplug", true), 0);
    ASSERT_TRUE(PumpUntil([&] { return frame->Graph().State() == Idle; }));
    EXPECT_FALSE(noFrameEnabled());
    Command(ID_FRAME_TYPE_FIRST);
    EXPECT_EQ(CameraSettings.photoFrame, L"Gold");
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(MainFrameTest, CloseReleasesTheGraphAndTheNotification) {
    Open();
    ASSERT_EQ(frame->Graph().State(), Previewing);
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    window = nullptr;
    // The camera is free again: a new frame previews it.
    Open();
    EXPECT_EQ(frame->Graph().State(), Previewing);
}

TEST_F(MainFrameTest, LanguageTextsReplaceTheMenuTextsAndKeepThePopups) {
    CPelLang* language = CPelLang::GetInstance();
    language->SetLanguagePath(PELCAMERA_LANGUAGE_DIR);
    ASSERT_EQ(language->SetLanguageID(1033), 1033);
    Open();
    HMENU menu = GetMenu(window);
    EXPECT_EQ(MenuText(menu, 0), L"&File");
    EXPECT_EQ(MenuText(menu, kCapturePopup), L"&Capture");
    for (int position = 0; position < 4; ++position)
        EXPECT_NE(GetSubMenu(menu, position), nullptr) << position;
    HMENU capture = Popup(kCapturePopup);
    wchar_t text[64] = {};
    GetMenuStringW(capture, ID_TAKE_PHOTO, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"Take Photo");
    EXPECT_EQ(GetMenuItemID(capture, 0), static_cast<UINT>(ID_CAPTURE_START));
    CPelLang::Release();
}

}  // namespace
