// The main frame with the test camera: its settings and effects commands, the live picture
// operations on the real filters, the frame-type commands and when Config.xml is written.
#include "camera/frame/MainFrame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "camera/app/resource.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/pages/PageIds.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"
#include "framework/ModalScript.h"
#include "framework/PropertyPage.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "media/DShow.h"
#include "tests/devices/support/CaptureProbe.h"

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
    static void Click(CWnd& page, int id) { ::SendMessage(::GetDlgItem(page.m_hWnd, id), BM_CLICK, 0, 0); }

    ScopedComInit com;
    pel::PelFilterClasses classes;
    std::filesystem::path root;
    std::wstring folder;
    CZelParser document;
    CMainFrame* frame = nullptr;  // deletes itself when its window is destroyed
    int saves = 0;
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

TEST_F(FrameEffectsTest, SheetClosedWithOkWritesConfigXmlAtOnce) {
    fw::ModalScript script;
    script.OnNextSheet([](CPropertySheet& sheet) {
        Click(*sheet.GetPage(0), IDC_REVERSAL_V);
        sheet.PressButton(PSBTN_OK);
    });
    Command(ID_SETTINGS);
    EXPECT_EQ(saves, 1);
    EXPECT_NE(Read(L"Config.xml").find("<ReversalV>1</ReversalV>"), std::string::npos);

    script.OnNextSheet([](CPropertySheet& sheet) {
        ::SetDlgItemTextW(sheet.GetPage(0)->m_hWnd, IDC_TEXT_BOX, L"Smile");
        sheet.PressButton(PSBTN_OK);
    });
    Command(ID_EFFECTS);
    EXPECT_EQ(saves, 2);
    EXPECT_NE(Read(L"Config.xml").find("<TextContent>Smile</TextContent>"), std::string::npos);
    EXPECT_EQ(CameraSettings.effectsPageOpen, 0);
    EXPECT_EQ(script.dialogs.at(1).caption, CString(L"Effect"));
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

}  // namespace
