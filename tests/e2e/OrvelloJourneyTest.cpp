// Orvello as a user meets it: started from a program folder of its own with the test camera and
// driven from outside through its main window, preview popup, message boxes and save dialogs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/AviFile.h"
#include "tests/e2e/driver/Dialogs.h"
#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/Picture.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace e2e {
namespace {

// Control and command ids of the main window and its tray menu.
constexpr int kSize320 = 1000, kSize640 = 1002, kSize1600 = 1005;
constexpr int kClock = 1008, kSnapshot = 1009, kTimerShot = 1012;
constexpr int kToTray = 1054, kRecorder = 1056, kRecorderState = 1039;
constexpr int kTrayShow = 32771;
constexpr UINT kTrayIcon = 194, kTrayCallback = 0x800A;  // the icon's id and its notifications
const wchar_t kPreviewTitle[] = L"Halmere Webcam";

class OrvelloJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        TestCamCtl(L"plug");
        TestCamCtl(L"still off");
        name_ = Widen(::testing::UnitTest::GetInstance()->current_test_info()->name());
        folder_ = FreshFolder(L"orvello-" + name_);
        ASSERT_TRUE(CopyProgramFolder(L"Orvello", folder_));
        ASSERT_TRUE(program_.Start(folder_ + L"\\Orvello.exe", folder_));
        // The splash screen runs for about six seconds before the preview appears.
        preview_ = WaitTopByCaption(program_.Id(), kPreviewTitle, 30000);
        MessageBoxSeen box = FindMessageBox(program_.Id());
        ASSERT_EQ(box.window, nullptr) << Narrow(box.text);
        ASSERT_NE(preview_, nullptr) << "no preview window";
        main_ = WaitTop(program_.Id(), L"", kRecorder, 5000);
        ASSERT_NE(main_, nullptr) << "no main window";
        Pause(1000);  // a few ticks of live picture
    }

    void TearDown() override {
        if (HasFailure() && program_.Running()) DumpWindows(program_.Id());
        if (program_.Running()) {
            if (MessageBoxSeen box = FindMessageBox(program_.Id()); box.window) {
                ADD_FAILURE() << "message box left open: " << Narrow(box.text);
                Answer(box);
            }
            if (main_ && IsWindow(main_)) PostCommand(main_, 1046);
            if (!program_.WaitExit(10000)) ADD_FAILURE() << "Orvello did not end on Close";
        }
        program_.Kill();
        TestCamCtl(L"plug");
        TestCamCtl(L"still off");
        if (OutputFolder().empty() && !HasFailure()) RemoveTree(folder_);
    }

    void Shot(HWND window, const std::wstring& what) {
        Screenshot(window, L"orvello-" + name_ + L"-" + what);
    }

    // Presses the snapshot button and saves under the given name; gives the full path. The picture
    // of the click waits in the temporary folder while the dialog is open and is gone afterwards.
    std::wstring Snapshot(const std::wstring& name) {
        const std::wstring picture = TempFolder() + L"bmp.bmp";
        DeleteFileW(picture.c_str());
        PostCommand(main_, kSnapshot);
        HWND dialog = WaitFor([&] { return FindFileDialog(program_.Id()); }, 10000);
        if (!dialog) return {};
        // The picture is the one of the click, written by the next tick: a user takes longer than
        // that to type a name.
        Pause(1000);
        EXPECT_TRUE(Exists(picture)) << "the picture of the click waits in " << Narrow(picture);
        Shot(dialog, L"save-dialog");
        std::wstring path = folder_ + L"\\" + name;
        if (!AnswerFileDialog(dialog, path)) return {};
        WaitUntil([&] { return !ReadAll(path).empty(); }, 15000);
        EXPECT_TRUE(WaitUntil([&] { return !Exists(picture); }, 5000)) << "the temporary picture is removed";
        return path;
    }

    std::wstring name_;
    std::wstring folder_;
    Process program_;
    HWND preview_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(OrvelloJourney, StartsWithALivePreviewBesideTheMainWindow) {
    Shot(main_, L"main");
    Shot(preview_, L"preview");
    EXPECT_EQ(ClientSize(preview_).cx, 320);
    EXPECT_EQ(ClientSize(preview_).cy, 240);
    RECT previewRect{}, mainRect{};
    GetWindowRect(preview_, &previewRect);
    GetWindowRect(main_, &mainRect);
    EXPECT_LE(previewRect.right, mainRect.left + 1) << "the preview sits left of the main window";

    Picture first = GrabClient(preview_);
    Pause(500);
    Picture second = GrabClient(preview_);
    ASSERT_FALSE(first.Empty());
    EXPECT_GT(MeanLevel(first), 20) << "the preview shows a picture, not black";
    EXPECT_GT(MeanDifference(first, second), 0.05) << "the picture moves";
}

TEST_F(OrvelloJourney, SnapshotSavedAsJpegAndAsBmp) {
    std::wstring jpeg = Snapshot(L"snap.jpg");
    ASSERT_FALSE(jpeg.empty());
    auto data = ReadAll(jpeg);
    ASSERT_GE(data.size(), 4u) << "no JPEG written";
    EXPECT_EQ(data[0], 0xFF);
    EXPECT_EQ(data[1], 0xD8);
    Picture picture = LoadJpeg(jpeg);
    EXPECT_EQ(picture.width, 320);
    EXPECT_EQ(picture.height, 240);
    EXPECT_GT(MeanLevel(picture), 20);

    std::wstring bmp = Snapshot(L"snap.bmp");
    ASSERT_FALSE(bmp.empty());
    Picture still = LoadBmp(bmp);
    EXPECT_EQ(still.width, 320);
    EXPECT_EQ(still.height, 240);
    EXPECT_LT(MeanDifference(still, picture), 25) << "both snapshots show the camera's picture";
}

TEST_F(OrvelloJourney, TimerShotWritesItsFileWithTheClockStamp) {
    std::wstring target = folder_ + L"\\TimerCap.bmp";
    PostCommand(main_, kClock);  // the clock stamp goes into the timer shot too
    Pause(300);
    PostCommand(main_, kTimerShot);
    Pause(1500);
    Shot(preview_, L"countdown");
    MessageBoxSeen box = WaitMessageBox(program_.Id(), 15000);
    ASSERT_NE(box.window, nullptr) << "no message after the timer shot";
    Shot(box.window, L"message");
    EXPECT_EQ(box.caption, L"Halmere");
    EXPECT_EQ(box.text, L"Finish to timer shot.Save Image To :\n" + target);
    Answer(box);

    Picture shot = LoadBmp(target);
    ASSERT_FALSE(shot.Empty()) << "no timer shot file";
    EXPECT_EQ(shot.width, 320);
    EXPECT_EQ(shot.height, 240);
    // The clock is written near the top left; the bars of the test picture are plain there.
    Picture stampArea = shot.Crop(16, 0, 160, 24);
    Picture plainArea = shot.Crop(16, 40, 160, 24);
    EXPECT_GT(VerticalDetail(stampArea), VerticalDetail(plainArea) + 2) << "the clock stamp is in the file";
}

TEST_F(OrvelloJourney, ThreeSecondRecordingGivesANumberedAviAndAdvancesTheCounter) {
    PostCommand(main_, kRecorder);
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(ChildById(main_, kRecorderState)) == L"Stop recorder"; }, 10000))
        << Narrow(FindMessageBox(program_.Id()).text);
    Shot(main_, L"recording");
    Pause(3000);
    PostCommand(main_, kRecorder);
    ASSERT_TRUE(
        WaitUntil([&] { return TextOf(ChildById(main_, kRecorderState)) == L"Run recorder"; }, 10000));
    MessageBoxSeen box = FindMessageBox(program_.Id());
    EXPECT_EQ(box.window, nullptr) << Narrow(box.text);

    std::wstring avi = folder_ + L"\\brenik-00000.avi";
    AviSummary summary = ReadAviSummary(ReadAll(avi));
    EXPECT_TRUE(summary.valid) << "brenik-00000.avi is a readable AVI";
    EXPECT_GT(summary.totalFrames, 10u);
    EXPECT_EQ(ReadText(folder_ + L"\\brenik.inf"), "1");

    Picture first = GrabClient(preview_);
    Pause(500);
    EXPECT_GT(MeanDifference(first, GrabClient(preview_)), 0.05) << "the preview runs again";
}

// Minimize hides the main window in the tray (not minimised to the taskbar) while its icon stays in
// the notification area; the icon's double click (what the shell sends the main window) and the
// tray menu's Show bring it back.
TEST_F(OrvelloJourney, HidesInTheTrayAndComesBack) {
    ASSERT_TRUE(TrayIconShown(main_, kTrayIcon)) << "the program's icon is in the notification area";
    PostCommand(main_, kToTray);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 5000)) << "the main window hides";
    EXPECT_FALSE(IsIconic(main_)) << "hidden in the tray, not minimised to the taskbar";
    EXPECT_TRUE(TrayIconShown(main_, kTrayIcon)) << "the icon stays to bring the window back";
    PostMessageW(main_, kTrayCallback, kTrayIcon, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 5000));

    PostCommand(main_, kToTray);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }, 5000));
    PostMessageW(main_, WM_COMMAND, kTrayShow, 0);  // the tray menu's Show
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
}

TEST_F(OrvelloJourney, SizeButtonsResizeThePreview) {
    PostCommand(main_, kSize640);
    EXPECT_TRUE(WaitUntil(
        [&] {
            SIZE size = ClientSize(preview_);
            return size.cx == 640 && size.cy == 480;
        },
        10000));
    Pause(1000);
    Shot(preview_, L"640x480");
    EXPECT_GT(MeanLevel(GrabClient(preview_)), 20);

    PostCommand(main_, kSize1600);
    EXPECT_TRUE(WaitUntil(
        [&] {
            SIZE size = ClientSize(preview_);
            return size.cx == 1600 && size.cy == 1200;
        },
        10000));
    Pause(1500);
    Picture zoomed = GrabClient(preview_);
    EXPECT_GT(MeanLevel(zoomed), 20) << "the doubled picture is drawn";
    EXPECT_EQ(FindMessageBox(program_.Id()).window, nullptr);

    PostCommand(main_, kSize320);
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(preview_).cx == 320; }, 10000));
}

// The About box and the three capture settings dialogs open from their buttons, close with their
// own buttons, and the picture runs on afterwards.
TEST_F(OrvelloJourney, AboutAndSettingsDialogsOpenAndClose) {
    struct Opened {
        int button;
        int closeWith;
        const wchar_t* name;
    };
    for (const Opened& dialog :
         {Opened{1013, IDOK, L"about"}, Opened{1036, IDCANCEL, L"timer-shot-settings"},
          Opened{1027, IDCANCEL, L"video-settings"}, Opened{1044, IDCANCEL, L"audio-settings"}}) {
        PostCommand(main_, dialog.button);
        HWND window = WaitFor(
            [&]() -> HWND {
                for (HWND top : TopWindows(program_.Id()))
                    if (top != main_ && top != preview_ && ClassOf(top) == L"#32770") return top;
                return nullptr;
            },
            10000);
        ASSERT_NE(window, nullptr) << "no dialog from button " << dialog.button;
        Pause(500);
        Shot(window, dialog.name);
        EXPECT_TRUE(PressAndWaitClosed(window, dialog.closeWith)) << Narrow(dialog.name);
    }
    Pause(1000);
    Picture first = GrabClient(preview_);
    Pause(500);
    EXPECT_GT(MeanDifference(first, GrabClient(preview_)), 0.05) << "the picture runs after the dialogs";
}

TEST_F(OrvelloJourney, ClosingThePreviewEndsTheProgram) {
    PostMessageW(preview_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program_.WaitExit(10000));
}

}  // namespace
}  // namespace e2e
