// The in-place transform base in real graphs: behind the test camera, behind the capture graph
// builder's Smart Tee, in front of the sample grabber and the video renderer.
#include "framework/Handles.h"
#include "media/ClassObjectRegistration.h"
#include "media/MediaType.h"
#include "media/QeditGuids.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/media/transform/InvertFilter.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kCamera[] = L"Test Pattern Camera";

// The top-left pixel of the camera's picture lies in its first (near-white, 235) colour bar;
// rows are bottom-up, so it is the first pixel of the last row.
BYTE TopLeftBlue(const probe::Frame& f, int width, int height) {
    return f.bytes[static_cast<size_t>(height - 1) * width * 3];
}

class InPlaceTransform : public ::testing::Test {
  protected:
    ScopedComInit com_;
};

TEST_F(InPlaceTransform, InvertsFramesBetweenCameraAndGrabber) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto* invert = new mediatest::InvertFilter();
    ComPtr<IBaseFilter> filter(invert);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Create(MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(camera.Get(), L"Camera"));
    ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(filter.Get(), L"Invert"));
    auto camOut = ComPtr<IPin>::Adopt(probe::FirstPin(camera.Get(), PINDIR_OUTPUT));
    auto invIn = ComPtr<IPin>::Adopt(probe::FirstPin(filter.Get(), PINDIR_INPUT));
    ASSERT_HRESULT_SUCCEEDED(g.graph->ConnectDirect(camOut.Get(), invIn.Get(), nullptr));
    EXPECT_EQ(640, invert->Width());
    ASSERT_HRESULT_SUCCEEDED(g.Connect(filter.Get()));
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(5, 5000));
    g.control->Stop();
    for (const probe::Frame& f : recorder.Take()) {
        ASSERT_EQ(640u * 480 * 3, f.bytes.size());
        EXPECT_EQ(255 - 235, TopLeftBlue(f, 640, 480));
        EXPECT_TRUE(f.timed);
    }
    EXPECT_GE(invert->Transformed(), 5);
    // The grabber takes the camera's allocator: samples pass through without a copy.
    EXPECT_TRUE(invert->Output().SharesInputAllocator());
    g.Release();
    camOut = nullptr;
    invIn = nullptr;
    camera = nullptr;
    EXPECT_EQ(0u, filter.Detach()->Release()) << "the graph left references on the filter or its pins";
}

// Camera -> Smart Tee (preview) -> first -> second -> sample grabber -> default video renderer,
// built the way a program builds its preview, with two of our filters created in-process.
struct TeeChain {
    media::ClassObjectRegistration registration;
    ComPtr<IBaseFilter> first, second, camera, grabberFilter;
    ComPtr<IGraphBuilder> graph;
    ComPtr<ICaptureGraphBuilder2> builder;
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IMediaControl> control;

    mediatest::InvertFilter& First() { return *static_cast<mediatest::InvertFilter*>(first.Get()); }
    mediatest::InvertFilter& Second() { return *static_cast<mediatest::InvertFilter*>(second.Get()); }

    void Build(probe::FrameRecorder& recorder) {
        ASSERT_HRESULT_SUCCEEDED(registration.Register(mediatest::kClsidInvertFilter,
                                                       &media::CreateObject<mediatest::InvertFilter>));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(mediatest::kClsidInvertFilter, nullptr,
                                                  CLSCTX_INPROC_SERVER, IID_IBaseFilter, first.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(mediatest::kClsidInvertFilter, nullptr,
                                                  CLSCTX_INPROC_SERVER, IID_IBaseFilter, second.AsOut()));
        camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
        ASSERT_TRUE(camera);
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IGraphBuilder, graph.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_ICaptureGraphBuilder2, builder.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(builder->SetFiltergraph(graph.Get()));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(camera.Get(), L"Camera"));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(first.Get(), L"Invert"));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(second.Get(), L"Invert again"));
        ComPtr<IAMStreamConfig> config;
        EXPECT_HRESULT_SUCCEEDED(builder->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, camera.Get(),
                                                        IID_IAMStreamConfig, config.AsOut()));
        const HRESULT render = builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, camera.Get(),
                                                     nullptr, first.Get());
        ASSERT_TRUE(render == S_OK || render == VFW_S_NOPREVIEWPIN) << std::hex << render;

        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(media::kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IBaseFilter, grabberFilter.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(grabberFilter->QueryInterface(IID_ISampleGrabber, grabber.AsOut()));
        AM_MEDIA_TYPE mt = {};
        mt.majortype = MEDIATYPE_Video;
        mt.subtype = MEDIASUBTYPE_RGB24;
        ASSERT_HRESULT_SUCCEEDED(grabber->SetMediaType(&mt));
        ASSERT_HRESULT_SUCCEEDED(grabber->SetCallback(&recorder, 0));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(grabberFilter.Get(), L"Grabber"));
        // Two filters in a row, as a program chains its own effects.
        auto out = ComPtr<IPin>::Adopt(probe::FirstPin(first.Get(), PINDIR_OUTPUT));
        auto in = ComPtr<IPin>::Adopt(probe::FirstPin(second.Get(), PINDIR_INPUT));
        ASSERT_HRESULT_SUCCEEDED(graph->ConnectDirect(out.Get(), in.Get(), nullptr));
        ASSERT_HRESULT_SUCCEEDED(
            builder->RenderStream(nullptr, &MEDIATYPE_Video, second.Get(), nullptr, grabberFilter.Get()));
        // The grabber's output goes to the default video renderer.
        ASSERT_HRESULT_SUCCEEDED(
            builder->RenderStream(nullptr, &MEDIATYPE_Video, grabberFilter.Get(), nullptr, nullptr));
        ASSERT_HRESULT_SUCCEEDED(graph->QueryInterface(IID_IMediaControl, control.AsOut()));
    }
    ~TeeChain() {
        if (control) control->Stop();
        if (grabber) grabber->SetCallback(nullptr, 0);
    }
};

TEST_F(InPlaceTransform, WorksBehindTheSmartTeeAndBeforeTheVideoRenderer) {
    probe::FrameRecorder recorder;
    TeeChain chain;
    ASSERT_NO_FATAL_FAILURE(chain.Build(recorder));
    ASSERT_HRESULT_SUCCEEDED(chain.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(5, 5000));
    // Pause and run again: a live graph resumes.
    ASSERT_HRESULT_SUCCEEDED(chain.control->Pause());
    recorder.Clear();
    ASSERT_HRESULT_SUCCEEDED(chain.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(3, 5000));
    chain.control->Stop();
    for (const probe::Frame& f : recorder.Take()) {
        ASSERT_EQ(640u * 480 * 3, f.bytes.size());
        EXPECT_EQ(235, TopLeftBlue(f, 640, 480));  // inverted twice
    }
    EXPECT_GE(chain.First().Transformed(), 8);
    // Whatever the Smart Tee hands out, the second filter works in the first one's buffers.
    EXPECT_TRUE(chain.Second().Output().SharesInputAllocator());
}

TEST_F(InPlaceTransform, AnIdleFilterPassesReadOnlySamplesOnUncopiedAndTheNextOneCopiesToWrite) {
    probe::FrameRecorder recorder;
    TeeChain chain;
    ASSERT_NO_FATAL_FAILURE(chain.Build(recorder));
    // The Smart Tee's preview buffers are read-only: that is what makes the first filter copy.
    ASSERT_TRUE(chain.First().Input().ReadOnly());

    // Both idle: the picture arrives as the camera made it, in the Smart Tee's own buffers.
    chain.First().SetIdle(true);
    chain.Second().SetIdle(true);
    ASSERT_HRESULT_SUCCEEDED(chain.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(5, 5000));
    chain.control->Stop();
    for (const probe::Frame& f : recorder.Take()) EXPECT_EQ(235, TopLeftBlue(f, 640, 480));
    EXPECT_EQ(chain.First().Transformed(), 0);
    EXPECT_FALSE(chain.First().PassedBuffers().empty());
    EXPECT_EQ(chain.Second().PassedBuffers(), chain.First().PassedBuffers())
        << "a sample was copied on its way";

    // The second one works: it must not write into the buffers the first one passed on.
    chain.First().ClearSeen();
    chain.Second().ClearSeen();
    chain.Second().SetIdle(false);
    recorder.Clear();
    ASSERT_HRESULT_SUCCEEDED(chain.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(5, 5000));
    chain.control->Stop();
    for (const probe::Frame& f : recorder.Take()) EXPECT_EQ(255 - 235, TopLeftBlue(f, 640, 480));
    ASSERT_GE(chain.Second().Transformed(), 5);
    for (BYTE* written : chain.Second().WrittenBuffers())
        EXPECT_EQ(chain.First().PassedBuffers().count(written), 0u) << "wrote into a read-only buffer";
}

TEST_F(InPlaceTransform, FollowsANewSizeFromUpstream) {
    auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
    ASSERT_TRUE(camera);
    auto* invert = new mediatest::InvertFilter();
    ComPtr<IBaseFilter> filter(invert);
    probe::FrameRecorder recorder;
    probe::GrabberGraph g;
    ASSERT_EQ(S_OK, g.Create(MEDIATYPE_Video, &recorder));
    ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(camera.Get(), L"Camera"));
    ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(filter.Get(), L"Invert"));
    auto camOut = ComPtr<IPin>::Adopt(probe::FirstPin(camera.Get(), PINDIR_OUTPUT));
    auto invIn = ComPtr<IPin>::Adopt(probe::FirstPin(filter.Get(), PINDIR_INPUT));
    // Nothing to offer downstream before the input has a type.
    EXPECT_TRUE(FAILED(g.Connect(filter.Get())));
    int width = 0, height = 0;
    ASSERT_HRESULT_SUCCEEDED(g.graph->ConnectDirect(camOut.Get(), invIn.Get(), nullptr));
    ASSERT_HRESULT_SUCCEEDED(g.Connect(filter.Get()));
    g.ConnectedSize(width, height);
    EXPECT_EQ(640, width);

    // The camera changes size while everything is connected: the whole chain follows.
    ComPtr<IAMStreamConfig> config;
    ASSERT_HRESULT_SUCCEEDED(camOut->QueryInterface(IID_IAMStreamConfig, config.AsOut()));
    media::MediaType qvga;
    ASSERT_HRESULT_SUCCEEDED(media::MakeRgb24VideoType(qvga.Get(), 320, 240, 333333));
    ASSERT_EQ(S_OK, config->SetFormat(&qvga.Get()));
    EXPECT_EQ(320, invert->Width());
    g.ConnectedSize(width, height);
    EXPECT_EQ(320, width);
    EXPECT_EQ(240, height);
    ASSERT_HRESULT_SUCCEEDED(g.control->Run());
    ASSERT_TRUE(recorder.WaitFrames(3, 5000));
    g.control->Stop();
    for (const probe::Frame& f : recorder.Take()) {
        ASSERT_EQ(320u * 240 * 3, f.bytes.size());
        EXPECT_EQ(255 - 235, TopLeftBlue(f, 320, 240));
    }
    g.Release();
}

}  // namespace
