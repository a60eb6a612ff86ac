// The capture graph on its own, with a plain window as its host, the test camera and the test
// microphone: preview, recording with and without preallocation, back to preview, camera loss.
#include "camera/graph/CaptureGraph.h"

#include <gtest/gtest.h>

#include "media/DShow.h"

#include <filesystem>
#include <string>
#include <vector>

#include "camera/graph/CaptureDeviceList.h"
#include "camera/graph/GraphMessages.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "devices/common/ControlBlock.h"
#include "framework/Handles.h"
#include "media/avi/AviReader.h"
#include "media/avi/CaptureFileOutput.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

namespace {

class TestHost : public GraphHost {
  public:
    TestHost() {
        window = CreateWindowExW(0, L"STATIC", L"graph host", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr,
                                 nullptr, nullptr, nullptr);
    }
    ~TestHost() override { DestroyWindow(window); }

    HWND GraphWindow() const override { return window; }
    HWND VideoParent() const override { return window; }
    void ShowGraphMessage(const wchar_t* text) override { messages.push_back(text); }
    void OnCaptureFormat(int w, int h) override {
        width = w;
        height = h;
    }
    ISampleGrabberCB* GrabberCallback() override { return nullptr; }
    void PreparePhotoBuffer() override { ++photoBufferCalls; }
    void ApplyStoredSettings() override { ++settingsCalls; }
    void ClearStatusPane() override { ++paneClears; }
    void RefreshPropertyMenu() override { ++propertyRefreshes; }
    void RefreshDeviceTicks() override { ++tickRefreshes; }

    // Runs posted messages for `ms`; graph events go to the graph.
    void Pump(CaptureGraph& graph, DWORD ms) {
        const DWORD end = GetTickCount() + ms;
        do {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.hwnd == window && msg.message == WM_GRAPHNOTIFY) {
                    ++graphNotifications;
                    graph.OnGraphNotify();
                    continue;
                }
                DispatchMessageW(&msg);
            }
            Sleep(10);
        } while (static_cast<LONG>(end - GetTickCount()) > 0);
    }

    HWND window = nullptr;
    std::vector<std::wstring> messages;
    int width = 0, height = 0;
    int photoBufferCalls = 0, settingsCalls = 0, paneClears = 0, propertyRefreshes = 0, tickRefreshes = 0;
    int graphNotifications = 0;
};

class CaptureGraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(probe::RunTestcamctl("plug"), 0);
        classes = pel::RegisterPelFilters();
        ASSERT_TRUE(classes.Registered());
        ASSERT_TRUE(video.Enumerate(CaptureDeviceList::Category::Video));
        ASSERT_TRUE(audio.Enumerate(CaptureDeviceList::Category::Audio));
        ASSERT_GE(video.Count(), 1);
        ASSERT_GE(audio.Count(), 1);
        folder = std::filesystem::temp_directory_path() / "pelc-graph";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        probe::RunTestcamctl("plug");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    ScopedComInit com;
    pel::PelFilterClasses classes;
    CaptureDeviceList video, audio;
    TestHost host;
    std::filesystem::path folder;
};

bool FailedResult(HRESULT hr) {
    return FAILED(hr);
}

uintmax_t FileSize(const std::wstring& path) {
    std::error_code error;
    return std::filesystem::file_size(path, error);
}

TEST_F(CaptureGraphTest, PreviewWithTheFirstCameraAndMicrophone) {
    CaptureGraph graph(host);
    graph.SelectCaptureDevices(video.Moniker(0), audio.Moniker(0));
    EXPECT_TRUE(host.messages.empty()) << std::wstring(host.messages.empty() ? L"" : host.messages[0]).size();
    EXPECT_EQ(graph.State(), Previewing);
    EXPECT_TRUE(graph.PreviewGraphBuilt());
    EXPECT_FALSE(graph.CaptureGraphBuilt());
    EXPECT_EQ(host.width, 640);
    EXPECT_EQ(host.height, 480);
    EXPECT_TRUE(graph.CaptureAudio());
    EXPECT_EQ(host.photoBufferCalls, 1);
    EXPECT_EQ(host.settingsCalls, 1);
    EXPECT_EQ(host.propertyRefreshes, 1);
    EXPECT_EQ(host.tickRefreshes, 1);
    EXPECT_TRUE(graph.HasPropertyPages());
    host.Pump(graph, 600);
    EXPECT_EQ(graph.QueryStatusPane(), CaptureGraph::StatusPane::CameraName);

    // The same pair again only refreshes the ticks.
    graph.SelectCaptureDevices(video.Moniker(0), audio.Moniker(0));
    EXPECT_EQ(host.propertyRefreshes, 1);
    EXPECT_EQ(host.tickRefreshes, 2);

    EXPECT_TRUE(graph.HaltGraph());
    EXPECT_EQ(graph.State(), Idle);
    EXPECT_FALSE(graph.HaltGraph());  // already idle
    graph.DismantleGraph();
    EXPECT_FALSE(graph.PreviewGraphBuilt());
    graph.ReleaseCaptureFilters();
}

TEST_F(CaptureGraphTest, NoVideoDeviceBuildsNothing) {
    CaptureGraph graph(host);
    graph.SelectCaptureDevices(nullptr, audio.Moniker(0));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], graphtext::kCreateVideoCaptureFilterFailed);
    EXPECT_EQ(host.messages[1], graphtext::kCreateInputFiltersFailed);
    EXPECT_EQ(graph.State(), Idle);
    EXPECT_FALSE(graph.PreviewGraphBuilt());
    EXPECT_FALSE(graph.RunPreview());
}

TEST_F(CaptureGraphTest, RecordingToANewFilePreallocatesAndWritesAReadableAvi) {
    CaptureGraph graph(host);
    graph.SelectCaptureDevices(video.Moniker(0), audio.Moniker(0));
    ASSERT_EQ(graph.State(), Previewing);
    const std::wstring path = (folder / "new.avi").wstring();

    ASSERT_TRUE(graph.HaltGraph());
    ASSERT_TRUE(graph.AssembleRecordGraph(path)) << (host.messages.empty() ? L"" : host.messages.back());
    EXPECT_TRUE(graph.CaptureGraphBuilt());
    EXPECT_FALSE(graph.PreviewGraphBuilt());
    EXPECT_EQ(FileSize(path), 1048576u);  // preallocated before anything is written
    testcam::ControlBlock camera;
    ASSERT_TRUE(camera.Open());
    const LONG streamControls = camera.Read().streamControls;
    ASSERT_TRUE(graph.RunRecording()) << (host.messages.empty() ? L"" : host.messages.back());
    EXPECT_EQ(graph.State(), Capturing);
    // The stream-control path: the capture pin held before Run, let go after (StartAt and StopAt each).
    EXPECT_EQ(streamControls + 4, camera.Read().streamControls);
    host.Pump(graph, 1500);

    // Stop Capture: halt, dismantle, preview again.
    ASSERT_TRUE(graph.HaltGraph());
    graph.DismantleGraph();
    ASSERT_TRUE(graph.AssemblePreviewGraph());
    ASSERT_TRUE(graph.RunPreview());
    EXPECT_EQ(graph.State(), Previewing);
    EXPECT_TRUE(host.messages.empty());

    avi::AviFileInfo info;
    std::string error;
    ASSERT_TRUE(avi::ParseAviFile(std::filesystem::path(path).string(), info, error)) << error;
    EXPECT_EQ(avi::CheckAviIndex(info), "");
    ASSERT_EQ(info.streams.size(), 2u);  // video and the microphone
    EXPECT_GE(info.ChunkCount(0), 10u);
    EXPECT_GE(info.ChunkCount(1), 3u);
    EXPECT_EQ(info.main.width, 640u);
    EXPECT_EQ(info.main.height, 480u);
}

TEST_F(CaptureGraphTest, RecordingToAnExistingFileDoesNotPreallocate) {
    CaptureGraph graph(host);
    graph.SelectCaptureDevices(video.Moniker(0), nullptr);
    EXPECT_FALSE(graph.CaptureAudio());
    const std::wstring path = (folder / "existing.avi").wstring();
    {
        ScopedFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        WriteFile(file.Get(), "0123456789", 10, &written, nullptr);
    }
    ASSERT_TRUE(graph.HaltGraph());
    ASSERT_TRUE(graph.AssembleRecordGraph(path));
    EXPECT_EQ(FileSize(path), 10u);
    ASSERT_TRUE(graph.RunRecording());
    host.Pump(graph, 700);
    ASSERT_TRUE(graph.HaltGraph());
    graph.DismantleGraph();

    avi::AviFileInfo info;
    std::string error;
    ASSERT_TRUE(avi::ParseAviFile(std::filesystem::path(path).string(), info, error)) << error;
    EXPECT_EQ(info.streams.size(), 1u);  // video only
    EXPECT_GE(info.ChunkCount(0), 5u);
}

TEST(CaptureFileOutputTest, OwnPreallocationAndMultiplexer) {
    ScopedComInit com;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pelc-output";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::wstring path = (folder / "a.avi").wstring();
    // Without a builder the file is made here; a file already longer stays as it is.
    EXPECT_EQ(media::avi::AllocCapFile(nullptr, path.c_str(), 4096), S_OK);
    EXPECT_EQ(FileSize(path), 4096u);
    EXPECT_EQ(media::avi::AllocCapFile(nullptr, path.c_str(), 100), S_OK);
    EXPECT_EQ(FileSize(path), 4096u);
    EXPECT_PRED1(FailedResult,
                 media::avi::AllocCapFile(nullptr, (folder / "missing" / "b.avi").wstring().c_str(), 100));

    ComPtr<IGraphBuilder> graph;
    ASSERT_HRESULT_SUCCEEDED(
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.AsOut()));
    ComPtr<IBaseFilter> mux;
    ComPtr<IFileSinkFilter> sink;
    EXPECT_EQ(
        media::avi::SetOutputFileName(nullptr, graph.Get(), &MEDIASUBTYPE_RGB24, path.c_str(), &mux, &sink),
        E_INVALIDARG);
    ASSERT_EQ(
        media::avi::SetOutputFileName(nullptr, graph.Get(), &MEDIASUBTYPE_Avi, path.c_str(), &mux, &sink),
        S_OK);
    LPOLESTR name = nullptr;
    ASSERT_EQ(sink->GetCurFile(&name, nullptr), S_OK);
    EXPECT_EQ(std::wstring(name), path);
    CoTaskMemFree(name);
    // A video input and an audio input, and the mux is in the graph.
    ComPtr<IPin> video, audio;
    EXPECT_EQ(mux->FindPin(L"Video", &video), S_OK);
    EXPECT_EQ(mux->FindPin(L"Audio", &audio), S_OK);
    ComPtr<IBaseFilter> found;
    EXPECT_EQ(graph->FindFilterByName(L"AVI File Mux", &found), S_OK);
    // Nothing connected: the graph cannot start writing.
    ComPtr<IMediaControl> control;
    ASSERT_HRESULT_SUCCEEDED(graph->QueryInterface(IID_IMediaControl, control.AsOut()));
    EXPECT_PRED1(FailedResult, control->Pause());
    control->Stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
