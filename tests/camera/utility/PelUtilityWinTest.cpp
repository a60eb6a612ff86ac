// The Windows side of the utility library: DirectShow helpers, resources, language texts on
// windows, the folder chooser's test hook and the grabber callback's message.
#include <windows.h>
#include <dshow.h>
#include <qedit.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "camera/libs/PelUtility/PelDS.h"
#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/SampleGrabberCB.h"
#include "camera/resources/DefaultConfig.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "media/DeviceMonikers.h"
#include "tests/devices/support/TestCamera.h"
#include "tests/camera/settings/TempFolder.h"

namespace {

const CLSID kSampleGrabber = {0xC1F400A0, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
const CLSID kNullRenderer = {0xC1F400A4, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

TEST(PelDSTest, Base64RoundTripOfACharacterFormat) {
    CHARFORMATW format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_BOLD | CFM_FACE | CFM_SIZE;
    format.dwEffects = CFE_BOLD;
    format.yHeight = 240;
    format.crTextColor = RGB(10, 200, 30);
    lstrcpyW(format.szFaceName, L"Arial");
    ASSERT_EQ(sizeof format, 92u);

    WCHAR text[184];
    EXPECT_EQ(PelDS::EncodeBase64(reinterpret_cast<const BYTE*>(&format), 92, text, 100), 124);
    EXPECT_EQ(lstrlenW(text), 124);
    std::vector<BYTE> decoded(lstrlenW(text));
    ASSERT_EQ(PelDS::DecodeBase64(text, lstrlenW(text), decoded.data()), 92);
    EXPECT_EQ(std::memcmp(decoded.data(), &format, 92), 0);
    EXPECT_EQ(PelDS::DecodeBase64(L"", 0, decoded.data()), 0);
}

TEST(PelDSTest, Res2FileWritesTheDefaultDocument) {
    TempFolder folder;
    ASSERT_TRUE(PelDS::Res2File(312, L"Xml", folder.File(L"Config.xml").c_str()));
    EXPECT_EQ(folder.Read(L"Config.xml"), std::string(kDefaultConfigXml, kDefaultConfigXmlSize));
    // Replaces what was there.
    folder.Write(L"Config.xml", std::string(1000, 'x'));
    ASSERT_TRUE(PelDS::Res2File(312, L"XML", folder.File(L"Config.xml").c_str()));
    EXPECT_EQ(folder.Read(L"Config.xml").size(), 486u);

    EXPECT_FALSE(PelDS::Res2File(999, L"Xml", folder.File(L"none.xml").c_str()));
    EXPECT_FALSE(folder.Exists(L"none.xml"));
    EXPECT_FALSE(PelDS::Res2File(312, L"Xml", folder.File(L"missing\\Config.xml").c_str()));
}

TEST(PelDSTest, MonikerIsReleasedOnce) {
    IMoniker* moniker = nullptr;
    ASSERT_EQ(CreateItemMoniker(L"!", L"item", &moniker), S_OK);
    PelDS::IMonRelease(moniker);
    EXPECT_EQ(moniker, nullptr);
    PelDS::IMonRelease(moniker);  // null stays null
}

class GraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(com_.Succeeded());
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   graph_.AsOut()),
                  S_OK);
    }
    int FilterCount() {
        ComPtr<IEnumFilters> filters;
        graph_->EnumFilters(&filters);
        int count = 0;
        ComPtr<IBaseFilter> f;
        while (filters->Next(1, &f, nullptr) == S_OK) ++count;
        return count;
    }

    ScopedComInit com_;
    ComPtr<IGraphBuilder> graph_;
};

TEST_F(GraphTest, FailuresHandOutNothing) {
    IBaseFilter* filter = reinterpret_cast<IBaseFilter*>(1);
    const CLSID unknown = {0x12345678, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_NE(PelDS::AddFilterByCLSID(graph_.Get(), unknown, L"X", &filter), S_OK);
    EXPECT_EQ(filter, nullptr);
    filter = reinterpret_cast<IBaseFilter*>(1);
    // (A device moniker name would start Wine's moniker host process, which outlives the test
    // and keeps ctest waiting on its pipes; a name no moniker class knows fails the same way.)
    EXPECT_LT(PelDS::AddFilterByDisplayName(graph_.Get(), L"nosuchmoniker:codec", &filter), 0);
    EXPECT_EQ(filter, nullptr);
    EXPECT_LT(PelDS::ConnectFilters(graph_.Get(), nullptr, nullptr), 0);
    PelDS::NukeDownstream(graph_.Get(), nullptr);
    EXPECT_EQ(FilterCount(), 0);
}

// The test camera (devices/testcam): a real capture source for the graph helpers and the grabber
// callback.
TEST_F(GraphTest, CameraToGrabberToRendererAndOnePhotoFrame) {
    ComPtr<IBaseFilter> camera =
        media::BindDeviceByName(CLSID_VideoInputDeviceCategory, L"Test Pattern Camera");
    REQUIRE_TEST_DEVICE(camera, "Test Pattern Camera");
    ASSERT_EQ(graph_->AddFilter(camera.Get(), L"Camera"), S_OK);

    ComPtr<IBaseFilter> grabberFilter, renderer;
    ASSERT_EQ(PelDS::AddFilterByCLSID(graph_.Get(), kSampleGrabber, L"Grabber", &grabberFilter), S_OK);
    ComPtr<ISampleGrabber> grabber;
    ASSERT_EQ(grabberFilter.As(grabber, IID_ISampleGrabber), S_OK);
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(grabber->SetMediaType(&type), S_OK);
    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(FALSE);
    CSampleGrabberCB callback;
    ASSERT_EQ(grabber->SetCallback(&callback, 1), S_OK);

    ASSERT_EQ(PelDS::ConnectFilters(graph_.Get(), camera.Get(), grabberFilter.Get()), S_OK);
    ASSERT_EQ(PelDS::AddFilterByCLSID(graph_.Get(), kNullRenderer, L"Null", &renderer), S_OK);
    ASSERT_EQ(PelDS::ConnectFilters(graph_.Get(), grabberFilter.Get(), renderer.Get()), S_OK);
    EXPECT_EQ(FilterCount(), 3);
    // The camera's only output is taken now.
    EXPECT_LT(PelDS::ConnectFilters(graph_.Get(), camera.Get(), renderer.Get()), 0);

    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    callback.SetSize(window, 640, 480);
    ComPtr<IMediaControl> control;
    ASSERT_EQ(graph_.As(control, IID_IMediaControl), S_OK);
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    ASSERT_TRUE(callback.ShotOne());

    bool told = false;
    for (DWORD start = GetTickCount(); !told && GetTickCount() - start < 5000;) {
        MSG msg;
        if (PeekMessageW(&msg, window, WM_PHOTOREADY, WM_PHOTOREADY, PM_REMOVE))
            told = true;
        else
            Sleep(10);
    }
    control->Stop();
    ASSERT_TRUE(told);
    // The colour bars are there: the frame is not one flat colour.
    const BYTE* frame = callback.FrameBits();
    ASSERT_NE(frame, nullptr);
    bool varied = false;
    for (int i = 3; i < 640 * 3 * 480 && !varied; i += 3) varied = frame[i] != frame[0];
    EXPECT_TRUE(varied);
    grabber->SetCallback(nullptr, 1);

    PelDS::NukeDownstream(graph_.Get(), camera.Get());
    EXPECT_EQ(FilterCount(), 1);  // the camera stays
    DestroyWindow(window);
}

// A window for the language texts: statics without an id (an icon first), a button with an id.
TEST(PelLangTest, DialogTextsAndFallback) {
    TempFolder folder;
    folder.Write(L"1033.lang",
                 "[MainMenu]\nFile=&File\n32791=Take Photo\n"
                 "[ID_313]\nCaption=Effects\nTitle=Effects tab\n1035=Set Font\nStatic.0=First text\n"
                 "Static.1=Second text\n");
    CPelLang* language = CPelLang::GetInstance();
    EXPECT_EQ(CPelLang::GetInstance(), language);
    language->SetLanguagePath(folder.Folder().c_str());
    EXPECT_EQ(language->SetLanguageID(2052), 0);
    EXPECT_EQ(language->SetLanguageID(1033), 1033);
    EXPECT_EQ(language->GetLangString(L"MainMenu", L"File"), L"&File");
    EXPECT_EQ(language->GetLangString(L"MainMenu", 32791), L"Take Photo");
    EXPECT_EQ(language->GetLangString(L"MainMenu", 32792), L"");
    EXPECT_EQ(language->GetLangAttrib(313, L"Title"), L"Effects tab");
    EXPECT_EQ(language->GetLangAttrib(310, L"Title"), L"");

    HWND dialog =
        CreateWindowExW(0, L"STATIC", L"old", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(dialog);
    HWND icon = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_ICON, 0, 0, 10, 10, dialog,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), nullptr, nullptr);
    HWND text1 = CreateWindowExW(0, L"STATIC", L"a", WS_CHILD, 0, 0, 10, 10, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), nullptr, nullptr);
    HWND text2 = CreateWindowExW(0, L"STATIC", L"b", WS_CHILD, 0, 0, 10, 10, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(-1)), nullptr, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"c", WS_CHILD, 0, 0, 10, 10, dialog,
                                  reinterpret_cast<HMENU>(1035), nullptr, nullptr);
    ASSERT_TRUE(icon && text1 && text2 && button);

    EXPECT_TRUE(language->SetDialogStrings(dialog, 313));
    auto text = [](HWND w) {
        wchar_t buffer[64] = {};
        GetWindowTextW(w, buffer, 64);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(dialog), L"Effects");
    EXPECT_EQ(text(text1), L"First text");
    EXPECT_EQ(text(text2), L"Second text");
    EXPECT_EQ(text(button), L"Set Font");
    EXPECT_FALSE(language->SetDialogStrings(dialog, 100));  // no texts for that dialog
    DestroyWindow(dialog);

    CPelLang::Release();
    EXPECT_EQ(CPelLang::GetInstance()->GetLangString(L"MainMenu", L"File"), L"");
    CPelLang::Release();
}

TEST(SampleGrabberCBTest, OneShotPostsThePhotoMessageFromTheStreamingThread) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(window);
    CSampleGrabberCB callback;
    ISampleGrabberCB* asInterface = nullptr;
    ASSERT_EQ(callback.QueryInterface(IID_ISampleGrabberCB, reinterpret_cast<void**>(&asInterface)), S_OK);
    EXPECT_EQ(asInterface, &callback);

    callback.SetSize(window, 4, 2);
    std::vector<BYTE> frame(24);
    for (size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<BYTE>(i + 1);
    MSG msg;
    callback.BufferCB(0.0, frame.data(), static_cast<long>(frame.size()));  // not armed
    EXPECT_FALSE(PeekMessageW(&msg, window, WM_PHOTOREADY, WM_PHOTOREADY, PM_REMOVE));

    ASSERT_TRUE(callback.ShotOne());
    std::thread streaming([&] {
        for (int i = 0; i < 3; ++i) callback.BufferCB(0.0, frame.data(), static_cast<long>(frame.size()));
    });
    streaming.join();
    ASSERT_TRUE(PeekMessageW(&msg, window, WM_PHOTOREADY, WM_PHOTOREADY, PM_REMOVE));
    EXPECT_EQ(msg.message, 3035u);
    EXPECT_FALSE(PeekMessageW(&msg, window, WM_PHOTOREADY, WM_PHOTOREADY, PM_REMOVE));  // exactly one
    EXPECT_EQ(callback.FrameWidth(), 4);
    EXPECT_EQ(callback.FrameHeight(), 2);
    EXPECT_EQ(std::memcmp(callback.FrameBits(), frame.data(), 24), 0);
    DestroyWindow(window);
}

TEST(SampleGrabberCBTest, BmpToJpegWritesTheFile) {
    TempFolder folder;
    std::vector<unsigned char> pixels(8 * 8 * 3, 128);
    PIC_PARAM photo{8, 8, 8 * 8 * 3, pixels.data()};
    CSampleGrabberCB callback;
    std::string path = pelutil::ToUtf8(folder.File(L"photo.jpg"));
    EXPECT_TRUE(callback.BmpToJpeg(path.c_str(), photo));
    std::string bytes = folder.Read(L"photo.jpg");
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
}

}  // namespace
