// The main frame with the test camera: its settings and effects commands, the live picture
// operations on the real filters, the frame-type commands and when Config.xml is written.
#include "camera/frame/MainFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>
#include <filesystem>
#include <fstream>

#include "camera/app/resource.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/pages/PageIds.h"
#include "camera/photo/PhotoCapture.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"
#include "framework/FontDialog.h"
#include "tests/support/ModalScript.h"
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "media/DShow.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

namespace {

constexpr char kConfig[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Setting>\r\n"
    "  <DisplaySize>4</DisplaySize>\r\n  <PhotoSize>4</PhotoSize>\r\n  <FoldPath></FoldPath>\r\n"
    "  <ReversalV>0</ReversalV>\r\n  <ReversalH>0</ReversalH>\r\n  <CharFormat></CharFormat>\r\n"
    "  <TextContent></TextContent>\r\n  <PhotoFrame>Gold</PhotoFrame>\r\n  <MosaicWidth>0</MosaicWidth>\r\n"
    "  <Frequency>0</Frequency>\r\n  <ZoomOut>0</ZoomOut>\r\n  <Language></Language>\r\n"
    "  <VideoDisplayName></VideoDisplayName>\r\n  <AudioDisplayName></AudioDisplayName>\r\n</Setting>\r\n";

// A 4 x 4 frame bitmap, 32 bits a pixel.
std::string SmallFrame() {
    std::string b(54, '\0');
    b[0] = 'B';
    b[1] = 'M';
    auto put = [&b](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i) b[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    put(2, 54 + 64);
    put(10, 54);
    put(14, 40);
    put(18, 4);
    put(22, 4);
    b[26] = 1;
    b[28] = 32;
    b += std::string(64, '\x80');
    return b;
}

using probe::Pump;

// The pixels of a photo (3 bytes a pixel, as the photo buffer holds them) and the ink of a text
// found in them: where a photo with the text has the text's colour and the same photo without it
// has not, cut to the ink's bounding box.
struct Photo {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;
};
struct Ink {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;
    int count = 0;
    bool At(int x, int y) const { return bits[static_cast<size_t>(y) * width + x] != 0; }
};

constexpr COLORREF kInkColour = RGB(10, 200, 90);  // found nowhere in the test pattern

bool IsInk(const std::uint8_t* pixel) {
    return pixel[0] == GetBValue(kInkColour) && pixel[1] == GetGValue(kInkColour) &&
           pixel[2] == GetRValue(kInkColour);
}

Ink FindInk(const Photo& plain, const Photo& withText) {
    Ink ink;
    if (plain.bgr.size() != withText.bgr.size() || plain.bgr.empty()) return ink;
    int left = plain.width, right = -1, top = plain.height, bottom = -1;
    auto inked = [&](int x, int y) {
        const size_t at = (static_cast<size_t>(y) * plain.width + x) * 3;
        return IsInk(&withText.bgr[at]) && !IsInk(&plain.bgr[at]);
    };
    for (int y = 0; y < plain.height; ++y)
        for (int x = 0; x < plain.width; ++x)
            if (inked(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    if (right < 0) return ink;
    ink.width = right - left + 1;
    ink.height = bottom - top + 1;
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            ink.bits.push_back(inked(x, y) ? 1 : 0);
            ink.count += ink.bits.back();
        }
    return ink;
}

// Pixels where the two inks differ, compared from their top-left corners.
int InkMismatch(const Ink& a, const Ink& b) {
    int mismatch = 0;
    for (int y = 0; y < std::max(a.height, b.height); ++y)
        for (int x = 0; x < std::max(a.width, b.width); ++x) {
            const bool inA = x < a.width && y < a.height && a.At(x, y);
            const bool inB = x < b.width && y < b.height && b.At(x, y);
            mismatch += inA != inB ? 1 : 0;
        }
    return mismatch;
}

CharFormatRecord InkFormat() {
    CharFormatRecord format;
    std::memset(&format, 0, sizeof format);
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_FACE | CFM_SIZE;
    format.yHeight = 600;  // 40 pixels
    format.crTextColor = kInkColour;
    wcscpy(format.szFaceName, L"Arial");
    return format;
}

class FrameEffectsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(probe::RunTestcamctl("plug"), 0);
        ASSERT_TRUE(AfxInitRichEdit2());
        classes = pel::RegisterPelFilters();
        root = std::filesystem::temp_directory_path() /
               (L"frame-effects-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / L"Effects");
        std::filesystem::create_directories(root / L"Album");
        folder = (root / L"").wstring();
        Write(L"Config.xml", kConfig);
        Write(L"Effects\\Gold.bmp", SmallFrame());
        Write(L"Effects\\Wood.bmp", SmallFrame());
        ASSERT_TRUE(document.Load((folder + L"Config.xml").c_str()));
        CPelLang::Release();
        CameraSettings.Clear();
        CameraSettings.displaySize = 2;
        CameraSettings.photoSize = 4;
        CameraSettings.photoFrame = L"Gold";
        CameraSettings.albumFolder = folder + L"Album\\";

        MainFrameContext context;
        context.programFolder = folder;
        context.settingsDocument = &document;
        context.saveSettings = [this] {
            ++saves;
            SaveCameraSettings(folder, document);
        };
        frame = new CMainFrame(std::move(context));
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW, nullptr, nullptr));
        ASSERT_EQ(frame->Graph().State(), Previewing);
    }
    void TearDown() override {
        if (frame && frame->m_hWnd) frame->SendMessage(WM_CLOSE);
        if (stillPicture) probe::RunTestcamctl("still off");
        SetPhotoOpenerForTesting(nullptr);
        CameraSettings.Clear();
        CPelLang::Release();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    void Write(const std::wstring& name, const std::string& bytes) {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    std::string Read(const std::wstring& name) {
        std::ifstream in(root / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    long CameraFrequency() {
        ComPtr<IAMVideoProcAmp> amp;
        long value = 0, flags = 0;
        if (FAILED(frame->Graph().VideoCaptureFilter()->QueryInterface(IID_IAMVideoProcAmp, amp.AsOut())) ||
            FAILED(amp->Get(13, &value, &flags)))
            return -1;
        return value;
    }
    void Command(UINT id) { frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Every frame the same and no photo frame: photos then differ by the text and the flips only.
    void StillPictureWithoutFrame() {
        ASSERT_EQ(probe::RunTestcamctl("still on"), 0);
        stillPicture = true;
        SetPhotoOpenerForTesting([this](HWND, const std::wstring&) { ++photosWritten; });
        frame->ApplyPhotoFrame(L"");
        Pump(300);
    }
    Photo TakePhoto() {
        Pump(300);                         // a change sent to the filters reaches the next frames
        const int before = photosWritten;  // only a written photo is opened
        Command(ID_TAKE_PHOTO);
        for (int waited = 0; waited < 5000 && photosWritten == before; waited += 50) Pump(50);
        Photo photo;
        if (photosWritten == before) return photo;
        const PIC_PARAM& param = ProcessPhotoBuffer().Param();
        photo.width = param.width;
        photo.height = param.height;
        photo.bgr.assign(param.pixels, param.pixels + param.size);
        return photo;
    }
    static void Click(CWnd& page, int id) { ::SendMessage(::GetDlgItem(page.m_hWnd, id), BM_CLICK, 0, 0); }

    ScopedComInit com;
    pel::PelFilterClasses classes;
    std::filesystem::path root;
    std::wstring folder;
    CZelParser document;
    CMainFrame* frame = nullptr;  // deletes itself when its window is destroyed
    int saves = 0, photosWritten = 0;
    bool stillPicture = false;
};

TEST_F(FrameEffectsTest, StoredEffectsReachTheRealFiltersWithoutComplaint) {
    fw::ModalScript script;
    CharFormatRecord format;
    std::memset(&format, 0, sizeof format);
    format.yHeight = 300;
    wcscpy(format.szFaceName, L"Arial");
    EXPECT_TRUE(frame->ApplyReversal(1, 1, 8));
    frame->ApplyZoom(3);
    EXPECT_TRUE(frame->ApplyTextOverlay(L"PelCamera", format));
    EXPECT_TRUE(frame->LoadFrameBitmap(folder + L"Effects\\Wood.bmp"));
    EXPECT_FALSE(frame->LoadFrameBitmap(folder + L"Effects\\Missing.bmp"));
    frame->ApplyPowerLineFrequency(1);
    EXPECT_EQ(CameraFrequency(), 2);
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(FrameEffectsTest, SixtyHertzThenCancelKeepsTheCameraAtSixtyAndWritesNothing) {
    const std::string before = Read(L"Config.xml");
    ASSERT_EQ(CameraFrequency(), 1);
    fw::ModalScript script;
    script.OnNextSheet([](CPropertySheet& sheet) {
        Click(*sheet.GetPage(0), IDC_FREQUENCY_60);
        Click(*sheet.GetPage(0), IDC_REVERSAL_H);
        sheet.PressButton(PSBTN_CANCEL);
    });
    Command(ID_SETTINGS);
    EXPECT_EQ(CameraFrequency(), 2);
    EXPECT_EQ(CameraSettings.frequency, 0);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(Read(L"Config.xml"), before);
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].caption, CString(L"Config"));
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(FrameEffectsTest, FrameTypeCommandsChooseFromTheEffectsFolderAndNoFrameStoresEmpty) {
    fw::ModalScript script;
    HMENU outer = frame->FillFrameTypeMenu();
    ASSERT_NE(outer, nullptr);
    HMENU inner = ::GetSubMenu(outer, 0);
    ASSERT_EQ(::GetMenuItemCount(inner), 3);  // No Frame, Gold, Wood in the folder's order
    wchar_t second[32] = {};
    ::GetMenuStringW(inner, 2, second, 32, MF_BYPOSITION);
    Command(ID_FRAME_TYPE_FIRST + 2);
    EXPECT_EQ(CameraSettings.photoFrame, second);
    document.ResetPos();
    document.FindFirstElem(L"Setting");
    document.IntoElem();
    EXPECT_EQ(document.GetFirstData(L"PhotoFrame"), second);

    Command(ID_FRAME_TYPE_FIRST);
    EXPECT_EQ(CameraSettings.photoFrame, L"");
    EXPECT_EQ(document.GetFirstData(L"PhotoFrame"), L"");
    EXPECT_EQ(saves, 0);  // written at the next save
    EXPECT_TRUE(script.messageBoxes.empty());
}

TEST_F(FrameEffectsTest, ViewAndManufacturerDialog) {
    HWND view = ::GetDlgItem(frame->m_hWnd, 0xE900);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(::GetWindowLongPtrW(view, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(::GetWindowLongPtrW(view, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(::GetClassLongPtrW(view, GCL_STYLE) & 0x0B, 0x0Bu);
    EXPECT_EQ(::GetClassLongPtrW(view, GCLP_HCURSOR),
              reinterpret_cast<LONG_PTR>(::LoadCursor(nullptr, IDC_ARROW)));

    fw::ModalScript script;
    script.OnNextDialog(IDD_COMPANY, [](CDialog& dialog) { fw::PressButton(dialog, IDOK); });
    Command(ID_COMPANY);
    ASSERT_EQ(script.dialogs.size(), 1u);
    EXPECT_EQ(script.dialogs[0].templateId, static_cast<UINT>(IDD_COMPANY));
    EXPECT_EQ(script.dialogs[0].caption, CString(L"Manufacturer"));
    EXPECT_EQ(script.dialogs[0].result, IDOK);
}

// The font dialog shows colour and effects; what is chosen there is stored and drawn on photos.
TEST_F(FrameEffectsTest, FontDialogColourUnderlineAndStrikeOutReachTheStoredFormatAndThePhoto) {
    StillPictureWithoutFrame();
    const Photo plain = TakePhoto();
    ASSERT_FALSE(plain.bgr.empty());
    fw::ModalScript script;
    bool effectsShown = false;
    script.OnNextFontDialog([&](CFontDialog& dialog) {
        effectsShown = (dialog.m_cf.Flags & CF_EFFECTS) != 0;
        dialog.m_cf.rgbColors = kInkColour;
        dialog.m_cf.iPointSize = 300;
        dialog.m_lf.lfUnderline = TRUE;
        dialog.m_lf.lfStrikeOut = TRUE;
        wcscpy(dialog.m_lf.lfFaceName, L"Arial");
        return static_cast<INT_PTR>(IDOK);
    });
    script.OnNextSheet([](CPropertySheet& sheet) {
        Click(*sheet.GetPage(0), IDC_CHOOSE_FONT);
        ::SetDlgItemTextW(sheet.GetPage(0)->m_hWnd, IDC_TEXT_BOX, L"Colour");
        sheet.PressButton(PSBTN_OK);
    });
    Command(ID_EFFECTS);
    EXPECT_TRUE(effectsShown);
    const CharFormatRecord& stored = CameraSettings.charFormat;
    EXPECT_EQ(stored.crTextColor, kInkColour);
    EXPECT_TRUE(stored.dwEffects & CFE_UNDERLINE);
    EXPECT_TRUE(stored.dwEffects & CFE_STRIKEOUT);
    EXPECT_FALSE(stored.dwEffects & CFE_AUTOCOLOR);

    const Ink ink = FindInk(plain, TakePhoto());
    EXPECT_GT(ink.count, 300) << "the text is drawn in the chosen colour";
    // Underline and strike-out are lines across the whole text.
    int fullRows = 0;
    for (int y = 0; y < ink.height; ++y) {
        int inked = 0;
        for (int x = 0; x < ink.width; ++x) inked += ink.At(x, y) ? 1 : 0;
        fullRows += inked * 10 >= ink.width * 9 ? 1 : 0;
    }
    EXPECT_GE(fullRows, 2);
    EXPECT_TRUE(script.messageBoxes.empty());
}

// Each line of a text is drawn below the one before, not as one line with boxes for the breaks.
TEST_F(FrameEffectsTest, MultiLineTextIsDrawnLineUnderLine) {
    StillPictureWithoutFrame();
    const Photo plain = TakePhoto();
    ASSERT_TRUE(frame->ApplyTextOverlay(L"FL", InkFormat()));
    const Ink one = FindInk(plain, TakePhoto());
    ASSERT_TRUE(frame->ApplyTextOverlay(L"FL\r\nFL", InkFormat()));
    const Ink two = FindInk(plain, TakePhoto());
    ASSERT_GT(one.count, 100);
    EXPECT_NEAR(two.width, one.width, 2) << "no wider than one line";
    EXPECT_GT(two.height, one.height * 18 / 10) << "two lines high";
    EXPECT_NEAR(two.count, 2 * one.count, one.count / 10);
}

// The overlay draws before the picture is mirrored or turned: its text still reads the right way
// round, also when a flip changes while the text is shown.
TEST_F(FrameEffectsTest, TextReadsTheRightWayRoundWhenMirroredOrUpsideDown) {
    StillPictureWithoutFrame();
    const int flips[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};  // upside down, mirrored
    Photo plain[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(frame->ApplyReversal(flips[i][0], flips[i][1], 0));
        plain[i] = TakePhoto();
        ASSERT_FALSE(plain[i].bgr.empty());
    }
    ASSERT_TRUE(frame->ApplyReversal(0, 0, 0));
    ASSERT_TRUE(frame->ApplyTextOverlay(L"FR", InkFormat()));
    Ink ink[4];
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(frame->ApplyReversal(flips[i][0], flips[i][1], 0));
        ink[i] = FindInk(plain[i], TakePhoto());
    }
    ASSERT_GT(ink[0].count, 100);
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(ink[i].width, ink[0].width) << i;
        EXPECT_EQ(ink[i].height, ink[0].height) << i;
        EXPECT_LT(InkMismatch(ink[i], ink[0]), ink[0].count / 20)
            << "flips " << flips[i][0] << flips[i][1] << ": the text reads as without flips";
    }
}

}  // namespace
