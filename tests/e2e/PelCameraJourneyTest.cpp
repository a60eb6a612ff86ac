// PelCamera as a user meets it: started from a program folder of its own with the test camera,
// driven through its menu commands, property sheets and save dialog, with photos and recordings
// checked as files.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>
#include <vector>

#include "devices/common/ControlBlock.h"
#include "tests/e2e/AviFile.h"
#include "tests/e2e/driver/Controls.h"
#include "tests/e2e/driver/Dialogs.h"
#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/Picture.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace e2e {
namespace {

// Menu commands of the main frame and controls of the two sheets.
constexpr int kTakePhoto = 32791, kStartCapture = 32792, kStopCapture = 32793;
constexpr int kSettings = 32794, kEffects = 32795;
constexpr int kHorizontalFlip = 1032, kVerticalFlip = 1033, kOverlayText = 1034;
constexpr int kAlbumFolder = 1004, kChooseFolder = 1006, kChooseFont = 1035;
constexpr COLORREF kInk =
    RGB(128, 128, 0);  // an entry of the font dialog's colour list; not in the test picture
constexpr int kView = 0xE900, kStatusBar = 0xE801;
const wchar_t kFrameTitle[] = L"USB2.0 PC CAMERA";

std::string ConfigWithAlbum(const std::wstring& album) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Setting>\r\n"
           "  <DisplaySize>4</DisplaySize>\r\n  <PhotoSize>4</PhotoSize>\r\n"
           "  <FoldPath>" +
           Narrow(album) +
           "</FoldPath>\r\n  <ReversalV>0</ReversalV>\r\n  <ReversalH>0</ReversalH>\r\n"
           "  <CharFormat></CharFormat>\r\n  <TextContent></TextContent>\r\n  <PhotoFrame></PhotoFrame>\r\n"
           "  <MosaicWidth>0</MosaicWidth>\r\n  <Frequency>0</Frequency>\r\n  <ZoomOut>0</ZoomOut>\r\n"
           "  <Language></Language>\r\n  <VideoDisplayName></VideoDisplayName>\r\n"
           "  <AudioDisplayName></AudioDisplayName>\r\n</Setting>\r\n";
}

// The bytes of a base64 text (line breaks skipped).
std::vector<uint8_t> FromBase64(const std::string& text) {
    static const std::string kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<uint8_t> bytes;
    unsigned bits = 0, count = 0;
    for (char c : text) {
        const size_t digit = kDigits.find(c);
        if (digit == std::string::npos) continue;
        bits = (bits << 6) | static_cast<unsigned>(digit);
        if ((count += 6) >= 8) bytes.push_back(static_cast<uint8_t>(bits >> (count -= 8)));
    }
    return bytes;
}

// Pixels that differ from `before` and are near the ink colour in `after` (JPEG blurs the edges).
long InkPixels(const Picture& before, const Picture& after) {
    if (before.width != after.width || before.height != after.height) return -1;
    long count = 0;
    const uint8_t ink[3] = {GetBValue(kInk), GetGValue(kInk), GetRValue(kInk)};
    for (int y = 0; y < after.height; ++y)
        for (int x = 0; x < after.width; ++x) {
            const uint8_t* was = before.At(x, y);
            const uint8_t* is = after.At(x, y);
            bool inkLike = true, changed = false;
            for (int c = 0; c < 3; ++c) {
                inkLike = inkLike && std::abs(is[c] - ink[c]) < 40;
                changed = changed || std::abs(is[c] - was[c]) > 60;
            }
            count += inkLike && changed ? 1 : 0;
        }
    return count;
}

// The text between <name> and </name> in the settings file.
std::string Element(const std::string& xml, const std::string& name) {
    const size_t start = xml.find("<" + name + ">");
    const size_t end = xml.find("</" + name + ">");
    if (start == std::string::npos || end == std::string::npos) return {};
    return xml.substr(start + name.size() + 2, end - start - name.size() - 2);
}

class PelCameraJourney : public ::testing::Test {
  protected:
    void SetUp() override {
        TestCamCtl(L"plug");
        TestCamCtl(L"still off");
        name_ = Widen(::testing::UnitTest::GetInstance()->current_test_info()->name());
        folder_ = FreshFolder(L"pelcamera-" + name_);
        album_ = folder_ + L"\\album";
        CreateDirectoryW(album_.c_str(), nullptr);
        ASSERT_TRUE(CopyProgramFolder(L"PelCamera", folder_));
        Launch();
    }

    // Starts the program on the album folder and waits for its running preview.
    void Launch() {
        ASSERT_TRUE(WriteText(Config(), ConfigWithAlbum(album_)));
        ASSERT_TRUE(program_.Start(folder_ + L"\\PelCamera.exe", folder_));
        frame_ = WaitTopByCaption(program_.Id(), kFrameTitle, 20000);
        MessageBoxSeen box = FindMessageBox(program_.Id());
        ASSERT_EQ(box.window, nullptr) << Narrow(box.text);
        ASSERT_NE(frame_, nullptr) << "no main frame";
        view_ = ChildById(frame_, kView);
        ASSERT_NE(view_, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return StatusText() == kFrameTitle; }, 10000)) << "the preview runs";
        Pause(500);
    }

    void TearDown() override {
        if (HasFailure() && program_.Running()) DumpWindows(program_.Id());
        if (program_.Running()) {
            if (MessageBoxSeen box = FindMessageBox(program_.Id()); box.window) {
                ADD_FAILURE() << "message box left open: " << Narrow(box.text);
                Answer(box);
            }
            PostMessageW(frame_, WM_CLOSE, 0, 0);
            if (!program_.WaitExit(10000)) ADD_FAILURE() << "PelCamera did not end on close";
        }
        program_.Kill();
        TestCamCtl(L"plug");
        TestCamCtl(L"still off");
        if (OutputFolder().empty() && !HasFailure()) RemoveTree(folder_);
    }

    std::wstring Config() const { return folder_ + L"\\Config.xml"; }
    std::wstring StatusText() const { return TextOf(ChildById(frame_, kStatusBar)); }
    void Shot(HWND window, const std::wstring& what) {
        Screenshot(window, L"pelcamera-" + name_ + L"-" + what);
    }

    // Takes a photo and gives the new file's full path (empty when none came in the album).
    std::wstring TakePhoto() { return TakePhoto(album_); }
    std::wstring TakePhoto(const std::wstring& album) {
        size_t before = FilesIn(album, L"*.jpg").size();
        PostMessageW(frame_, WM_COMMAND, kTakePhoto, 0);
        std::wstring path;
        WaitUntil(
            [&] {
                auto names = FilesIn(album, L"*.jpg");
                if (names.size() <= before) return false;
                for (const auto& name : names)
                    if (name > path) path = name;
                return true;
            },
            10000);
        if (path.empty()) return {};
        path = album + L"\\" + path;
        Pause(500);  // the writer closes the file
        return path;
    }

    // Opens a sheet with its command and gives it once the page with the given control shows.
    HWND OpenSheet(int command, int pageControl) {
        PostMessageW(frame_, WM_COMMAND, command, 0);
        return WaitTop(program_.Id(), L"#32770", pageControl, 10000);
    }

    std::wstring name_;
    std::wstring folder_;
    std::wstring album_;
    Process program_;
    HWND frame_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(PelCameraJourney, StartsWithALivePreview) {
    Shot(frame_, L"main");
    Picture first = GrabClient(view_);
    Pause(500);
    Picture second = GrabClient(view_);
    EXPECT_GT(MeanLevel(first), 20) << "the view shows a picture, not black";
    EXPECT_GT(MeanDifference(first, second), 0.05) << "the picture moves";
}

TEST_F(PelCameraJourney, PhotoLandsInTheAlbumNamedByDateAndTime) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    std::wstring photo = TakePhoto();
    ASSERT_FALSE(photo.empty()) << "no photo in the album folder";
    std::wstring name = photo.substr(album_.size() + 1);
    EXPECT_TRUE(std::regex_match(Narrow(name), std::regex(R"(\d{4}_\d\d_\d\d_\d\d_\d\d_\d\d_\d{1,3}\.jpg)")))
        << Narrow(name);
    wchar_t year[8];
    swprintf(year, 8, L"%04d_", before.wYear);
    EXPECT_EQ(name.substr(0, 5), year);
    Picture picture = LoadJpeg(photo);
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.height, 480);
    EXPECT_GT(MeanLevel(picture), 20);
}

// The settings sheet's OK stores what was set, the album folder chosen in the shell's folder chooser
// included, and the next photo goes there; Cancel stores nothing.
TEST_F(PelCameraJourney, SettingsSheetOkWritesConfigAndCancelDoesNot) {
    // The chooser lists no hidden folders and the temporary folder is one: the album moves to a
    // folder the chooser shows, and the program starts again on it.
    const std::wstring shown = L"C:\\e2e-album-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring picked = shown + L"\\picked";
    RemoveTree(shown);
    ASSERT_TRUE(CreateDirectoryW(shown.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(picked.c_str(), nullptr));
    PostMessageW(frame_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program_.WaitExit(10000));
    album_ = shown;
    ASSERT_NO_FATAL_FAILURE(Launch());

    HWND sheet = OpenSheet(kSettings, kHorizontalFlip);
    ASSERT_NE(sheet, nullptr) << "no settings sheet";
    Shot(sheet, L"settings-sheet");
    Click(ChildById(sheet, kHorizontalFlip));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(ChildById(sheet, kHorizontalFlip)); }, 3000));

    // The chooser opens at the album; the user opens it and picks the folder inside.
    Click(ChildById(sheet, kChooseFolder));
    HWND chooser = WaitFor(
        [&]() -> HWND {
            for (HWND top : TopWindows(program_.Id()))
                if (top != sheet && ChildByClass(top, WC_TREEVIEWW)) return top;
            return nullptr;
        },
        10000);
    ASSERT_NE(chooser, nullptr) << "no folder chooser";
    Pause(500);
    Shot(chooser, L"folder-chooser");
    ASSERT_TRUE(SelectFirstChildInTree(ChildByClass(chooser, WC_TREEVIEWW)));
    Pause(300);
    ASSERT_TRUE(PressAndWaitClosed(chooser, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(ChildById(sheet, kAlbumFolder)) == picked + L"\\"; }, 3000))
        << Narrow(TextOf(ChildById(sheet, kAlbumFolder)));

    ASSERT_TRUE(PressAndWaitClosed(sheet, IDOK));
    ASSERT_TRUE(WaitUntil(
        [&] { return ReadText(Config()).find("<ReversalH>1</ReversalH>") != std::string::npos; }, 5000))
        << ReadText(Config());
    std::string afterOk = ReadText(Config());
    EXPECT_EQ(Element(afterOk, "FoldPath"), Narrow(picked) + "\\");
    EXPECT_FALSE(TakePhoto(picked).empty()) << "the next photo goes to the chosen folder";

    sheet = OpenSheet(kSettings, kVerticalFlip);
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(IsChecked(ChildById(sheet, kHorizontalFlip))) << "the sheet shows the stored mirror";
    Click(ChildById(sheet, kVerticalFlip));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(ChildById(sheet, kVerticalFlip)); }, 3000));
    ASSERT_TRUE(PressAndWaitClosed(sheet, IDCANCEL));
    Pause(1000);
    EXPECT_EQ(ReadText(Config()), afterOk) << "Cancel writes nothing";
    if (!HasFailure()) RemoveTree(shown);
}

// The text of the effects sheet in the font, colour, underline and strike-out chosen in the real
// font dialog: stored with the settings and drawn on the next photo, which is also mirrored.
TEST_F(PelCameraJourney, MirrorAndTextShowInTheNextPhoto) {
    ASSERT_EQ(TestCamCtl(L"still on"), 0);  // every frame the same: photos differ only by effects
    Pause(1000);
    Picture plain = LoadJpeg(TakePhoto());
    ASSERT_FALSE(plain.Empty());

    HWND sheet = OpenSheet(kSettings, kHorizontalFlip);
    ASSERT_NE(sheet, nullptr);
    Click(ChildById(sheet, kHorizontalFlip));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(ChildById(sheet, kHorizontalFlip)); }, 3000));
    ASSERT_TRUE(PressAndWaitClosed(sheet, IDOK));
    Pause(1000);
    Picture mirrored = LoadJpeg(TakePhoto());
    ASSERT_FALSE(mirrored.Empty());
    EXPECT_LT(MeanDifference(mirrored, plain.Mirrored()), 6) << "the photo is the mirror image";
    EXPECT_GT(MeanDifference(mirrored, plain), 20);

    sheet = OpenSheet(kEffects, kOverlayText);
    ASSERT_NE(sheet, nullptr) << "no effects sheet";
    ASSERT_TRUE(SetText(ChildById(sheet, kOverlayText), L"Journey text"));
    Shot(sheet, L"effects-sheet");
    Click(ChildById(sheet, kChooseFont));
    HWND font = WaitFor([&] { return FindTop(program_.Id(), L"#32770", cmb4); }, 10000);
    ASSERT_NE(font, nullptr) << "no font dialog with its colour list";
    Pause(500);
    ASSERT_TRUE(
        SelectComboItemByText(ChildById(font, cmb1), L"DejaVu Sans"));  // a face Wine takes from the system
    ASSERT_TRUE(SelectComboItemByText(ChildById(font, cmb3), L"36"));
    ASSERT_TRUE(SelectComboItemByData(ChildById(font, cmb4), kInk));
    Click(ChildById(font, chx1));  // strike-out
    Click(ChildById(font, chx2));  // underline
    ASSERT_TRUE(WaitUntil(
        [&] { return IsChecked(ChildById(font, chx1)) && IsChecked(ChildById(font, chx2)); }, 3000));
    Shot(font, L"font-dialog");
    ASSERT_TRUE(PressAndWaitClosed(font, IDOK));
    ASSERT_TRUE(PressAndWaitClosed(sheet, IDOK));
    ASSERT_TRUE(
        WaitUntil([&] { return Element(ReadText(Config()), "TextContent") == "Journey text"; }, 5000));

    const std::vector<uint8_t> stored = FromBase64(Element(ReadText(Config()), "CharFormat"));
    ASSERT_GE(stored.size(), sizeof(CHARFORMATW)) << ReadText(Config());
    CHARFORMATW format{};
    memcpy(&format, stored.data(), sizeof format);
    EXPECT_EQ(format.dwEffects & (CFE_UNDERLINE | CFE_STRIKEOUT | CFE_AUTOCOLOR),
              static_cast<DWORD>(CFE_UNDERLINE | CFE_STRIKEOUT));
    EXPECT_EQ(format.crTextColor, kInk);
    EXPECT_EQ(format.yHeight, 36 * 20) << "36 points in twips";

    Pause(1000);
    Shot(frame_, L"main-with-effects");
    Picture withText = LoadJpeg(TakePhoto());
    ASSERT_FALSE(withText.Empty());
    EXPECT_GT(InkPixels(mirrored, withText), 400) << "the text is drawn in the chosen colour";
    EXPECT_LT(DifferentPixels(withText, mirrored, 60), 640 * 480 / 4) << "and the picture is still there";
}

// The manufacturer dialog and the About box have no menu entry; their commands still open them.
TEST_F(PelCameraJourney, ManufacturerAndAboutDialogsOpenAndClose) {
    for (int command : {32914, 57664}) {
        PostMessageW(frame_, WM_COMMAND, command, 0);
        HWND dialog = WaitTop(program_.Id(), L"#32770", IDOK, 10000);
        ASSERT_NE(dialog, nullptr) << "no dialog for command " << command;
        Pause(300);
        Shot(dialog, command == 32914 ? L"manufacturer" : L"about");
        EXPECT_TRUE(PressAndWaitClosed(dialog, IDOK));
    }
}

TEST_F(PelCameraJourney, RecordAndStopGiveAReadableAvi) {
    // The camera counts the stream-control calls it gets in its shared control block.
    testcam::ControlBlock camera;
    ASSERT_TRUE(camera.Open());
    const LONG streamControls = camera.Read().streamControls;
    PostMessageW(frame_, WM_COMMAND, kStartCapture, 0);
    HWND dialog = WaitFor([&] { return FindFileDialog(program_.Id()); }, 10000);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    Shot(dialog, L"save-dialog");
    std::wstring avi = folder_ + L"\\clip.avi";
    ASSERT_TRUE(AnswerFileDialog(dialog, avi));
    Pause(3000);
    MessageBoxSeen box = FindMessageBox(program_.Id());
    ASSERT_EQ(box.window, nullptr) << Narrow(box.text);
    // Held before the graph ran and let go after: StartAt and StopAt twice, through stream control.
    EXPECT_EQ(streamControls + 4, camera.Read().streamControls);
    PostMessageW(frame_, WM_COMMAND, kStopCapture, 0);
    ASSERT_TRUE(WaitUntil([&] { return StatusText() == kFrameTitle; }, 10000));
    Pause(1000);
    AviSummary summary = ReadAviSummary(ReadAll(avi));
    EXPECT_TRUE(summary.valid) << "clip.avi is a readable AVI";
    EXPECT_GT(summary.totalFrames, 10u);
    Picture first = GrabClient(view_);
    Pause(500);
    EXPECT_GT(MeanDifference(first, GrabClient(view_)), 0.05) << "the preview runs again";
}

// A recording into a folder that cannot be written (prepared read-only by fault-folders.sh): the
// user sees the message, the picture runs again and the next photo reads back.
TEST_F(PelCameraJourney, RecordingIntoAReadOnlyFolderShowsTheMessageAndPhotosStillWork) {
    const char* readOnly = std::getenv("RELIABILITY_RO_DIR");
    if (!readOnly || !*readOnly) GTEST_SKIP() << "RELIABILITY_RO_DIR not prepared (scripts/fault-folders.sh)";
    const std::wstring folder = FromUnixPath(readOnly);
    ASSERT_FALSE(WriteText(folder + L"\\probe.txt", "x")) << "the folder is not read-only";
    PostMessageW(frame_, WM_COMMAND, kStartCapture, 0);
    HWND dialog = WaitFor([&] { return FindFileDialog(program_.Id()); }, 10000);
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    const std::wstring avi = folder + L"\\clip.avi";
    ASSERT_TRUE(AnswerFileDialog(dialog, avi));
    MessageBoxSeen box = WaitMessageBox(program_.Id(), 10000);
    ASSERT_NE(box.window, nullptr) << "no message about the recording";
    Shot(box.window, L"message");
    EXPECT_EQ(box.text, L"Preassign File Space Failed\xFF01");
    ASSERT_TRUE(Answer(box));
    Pause(1500);
    EXPECT_EQ(FindMessageBox(program_.Id()).window, nullptr) << "one message only";
    Picture first = GrabClient(view_);
    Pause(500);
    EXPECT_GT(MeanDifference(first, GrabClient(view_)), 0.05) << "the picture runs again";
    Picture photo = LoadJpeg(TakePhoto());
    ASSERT_FALSE(photo.Empty()) << "a photo after the failed recording";
    EXPECT_EQ(photo.width, 640);
    EXPECT_GT(MeanLevel(photo), 20);
}

TEST_F(PelCameraJourney, UnplugClearsThePaneAndPlugRestartsThePreview) {
    ASSERT_EQ(TestCamCtl(L"unplug"), 0);
    EXPECT_TRUE(WaitUntil([&] { return StatusText().empty(); }, 10000)) << Narrow(StatusText());
    Pause(500);
    Picture first = GrabClient(view_);
    Pause(500);
    EXPECT_LT(MeanDifference(first, GrabClient(view_)), 0.05) << "no picture flows";
    Shot(frame_, L"unplugged");
    std::wstring photo = TakePhoto();
    EXPECT_TRUE(photo.empty()) << "no photo without a camera";
    EXPECT_EQ(FindMessageBox(program_.Id()).window, nullptr) << Narrow(FindMessageBox(program_.Id()).text);

    ASSERT_EQ(TestCamCtl(L"plug"), 0);
    EXPECT_TRUE(WaitUntil([&] { return StatusText() == kFrameTitle; }, 15000)) << "the preview restarts";
    Pause(1000);
    first = GrabClient(view_);
    Pause(500);
    EXPECT_GT(MeanDifference(first, GrabClient(view_)), 0.05) << "the picture moves again";
    EXPECT_FALSE(TakePhoto().empty());
}

}  // namespace
}  // namespace e2e
