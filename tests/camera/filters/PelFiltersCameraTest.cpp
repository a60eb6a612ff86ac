// Both filters behind the test camera, connected the way the program builds its preview graph,
// with settings changed while the picture streams.
#include <gtest/gtest.h>

#include <vector>

#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "media/QeditGuids.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/devices/support/TestCamera.h"

namespace {

const wchar_t kCamera[] = L"Test Pattern Camera";
constexpr int kWidth = 640, kHeight = 480, kStride = kWidth * 3;

HRESULT Create(const CLSID& clsid, REFIID iid, void** out) {
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, out);
}

// The camera repeats one picture exactly while this lives.
struct StillPicture {
    StillPicture() { ok = probe::RunTestcamctl("still on") == 0; }
    ~StillPicture() { probe::RunTestcamctl("still off"); }
    bool ok;
};

// Waits for `count` frames that arrive from now on and returns the last one.
std::vector<BYTE> NextFrame(probe::FrameRecorder& recorder, size_t count = 3) {
    recorder.Clear();
    if (!recorder.WaitFrames(count, 5000)) return {};
    std::vector<probe::Frame> frames = recorder.Take();
    return frames.back().bytes;
}

TEST(PelFiltersBehindTheCamera, PreviewChainDeliversFramesAndTakesSettingsWhileRunning) {
    ScopedComInit com;
    pel::PelFilterClasses classes = pel::RegisterPelFilters();
    ASSERT_HRESULT_SUCCEEDED(classes.Result());
    probe::FrameRecorder recorder;
    ComPtr<IBaseFilter> overlay, reversal;
    {
        auto camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, kCamera);
        ASSERT_TRUE(camera);
        ComPtr<IGraphBuilder> graph;
        ComPtr<ICaptureGraphBuilder2> builder;
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_FilterGraph, IID_IGraphBuilder, graph.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(
            Create(CLSID_CaptureGraphBuilder2, IID_ICaptureGraphBuilder2, builder.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(builder->SetFiltergraph(graph.Get()));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(camera.Get(), kCamera));

        // Overlay behind the camera's preview (the builder splits the capture pin for it).
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelOverlay, IID_IBaseFilter, overlay.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(overlay.Get(), L"Pel Overlay"));
        const HRESULT preview = builder->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, camera.Get(),
                                                      nullptr, overlay.Get());
        ASSERT_TRUE(preview == S_OK || preview == VFW_S_NOPREVIEWPIN) << std::hex << preview;
        // Overlay output to reversal input.
        ASSERT_HRESULT_SUCCEEDED(Create(CLSID_PelReversal, IID_IBaseFilter, reversal.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(reversal.Get(), L"Pel Reversal"));
        {
            auto out = ComPtr<IPin>::Adopt(probe::FirstPin(overlay.Get(), PINDIR_OUTPUT));
            auto in = ComPtr<IPin>::Adopt(probe::FirstPin(reversal.Get(), PINDIR_INPUT));
            ASSERT_HRESULT_SUCCEEDED(graph->Connect(out.Get(), in.Get()));
        }
        // Grabber for RGB24, then a null renderer instead of a video window.
        ComPtr<IBaseFilter> grabberFilter, renderer;
        ComPtr<ISampleGrabber> grabber;
        ASSERT_HRESULT_SUCCEEDED(Create(media::kClsidSampleGrabber, IID_IBaseFilter, grabberFilter.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(Create(media::kClsidNullRenderer, IID_IBaseFilter, renderer.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(grabberFilter.Get(), L"Grabber"));
        ASSERT_HRESULT_SUCCEEDED(graph->AddFilter(renderer.Get(), L"Null"));
        ASSERT_HRESULT_SUCCEEDED(grabberFilter->QueryInterface(IID_ISampleGrabber, grabber.AsOut()));
        AM_MEDIA_TYPE mt = {};
        mt.majortype = MEDIATYPE_Video;
        mt.subtype = MEDIASUBTYPE_RGB24;
        ASSERT_HRESULT_SUCCEEDED(grabber->SetMediaType(&mt));
        ASSERT_HRESULT_SUCCEEDED(grabber->SetBufferSamples(FALSE));
        ASSERT_HRESULT_SUCCEEDED(grabber->SetOneShot(FALSE));
        ASSERT_HRESULT_SUCCEEDED(grabber->SetCallback(&recorder, 0));
        ASSERT_HRESULT_SUCCEEDED(builder->RenderStream(nullptr, &MEDIATYPE_Video, reversal.Get(),
                                                       grabberFilter.Get(), renderer.Get()));

        ComPtr<IPelFilter> pelFilter;
        ComPtr<IPelReversal> pelReversal;
        ASSERT_HRESULT_SUCCEEDED(overlay->QueryInterface(IID_IPelFilter, pelFilter.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(reversal->QueryInterface(IID_IPelReversal, pelReversal.AsOut()));
        ASSERT_EQ(S_OK, pelFilter->SetSize(kWidth, kHeight));
        ASSERT_EQ(S_OK, pelReversal->SetSize(kWidth, kHeight));

        ComPtr<IMediaControl> control;
        ASSERT_HRESULT_SUCCEEDED(graph->QueryInterface(IID_IMediaControl, control.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(control->Run());
        ASSERT_TRUE(recorder.WaitFrames(5, 5000));
        for (const probe::Frame& f : recorder.Take()) EXPECT_EQ(size_t{kStride} * kHeight, f.bytes.size());

        {
            StillPicture still;
            ASSERT_TRUE(still.ok);
            const std::vector<BYTE> plain = NextFrame(recorder);
            ASSERT_EQ(size_t{kStride} * kHeight, plain.size());

            // A half turn, set from this thread while the camera streams.
            pelReversal->SetReversalV(1);
            pelReversal->SetReversalH(1);
            std::vector<BYTE> turned = NextFrame(recorder);
            ASSERT_EQ(plain.size(), turned.size());
            size_t wrong = 0;
            for (int row = 0; row < kHeight; ++row)
                for (int x = 0; x < kWidth; ++x)
                    for (int c = 0; c < 3; ++c)
                        wrong += turned[size_t{kStride} * row + x * 3 + c] !=
                                 plain[size_t{kStride} * (kHeight - 1 - row) + (kWidth - 1 - x) * 3 + c];
            EXPECT_EQ(0u, wrong) << "bytes not where a half turn puts them";

            // A full-size opaque frame over everything, then gone again.
            pelReversal->SetReversalV(0);
            pelReversal->SetReversalH(0);
            std::vector<BYTE> frame(size_t{kWidth} * kHeight * 4);
            for (size_t i = 0; i < frame.size(); i += 4) {
                frame[i] = 11;
                frame[i + 1] = 22;
                frame[i + 2] = 33;
                frame[i + 3] = 255;
            }
            ASSERT_EQ(S_OK, pelFilter->SetFrame(frame.data(), kWidth, kHeight));
            std::vector<BYTE> covered = NextFrame(recorder);
            ASSERT_EQ(plain.size(), covered.size());
            EXPECT_EQ(11, covered[0]);
            EXPECT_EQ(33, covered[covered.size() - 1]);
            ASSERT_EQ(S_OK, pelFilter->SetFrame(nullptr, 0, 0));
            EXPECT_EQ(plain, NextFrame(recorder));

            // Settings changing as fast as a dragged slider while pictures stream; once everything
            // is off again the picture is the camera's own.
            const std::vector<BYTE> mask(200 * 20, 1);
            const DWORD begin = GetTickCount();
            for (int i = 0; GetTickCount() - begin < 600; ++i) {
                pelFilter->SetFrame(i % 2 ? frame.data() : nullptr, kWidth, kHeight);
                pelFilter->SetText(i % 3 ? mask.data() : nullptr, 200, 20, RGB(0, 255, 0));
                pelReversal->SetMosaicWidth(i % 25);
                pelReversal->SetZoom(i % 4 + 1);
                pelReversal->SetReversalV(i & 1);
            }
            pelFilter->SetFrame(nullptr, 0, 0);
            pelFilter->SetText(nullptr, 0, 0, 0);
            pelReversal->SetMosaicWidth(0);
            pelReversal->SetZoom(1);
            pelReversal->SetReversalV(0);
            EXPECT_EQ(plain, NextFrame(recorder));
        }
        control->Stop();
        grabber->SetCallback(nullptr, 0);
    }
    // The graph and its other filters are gone: the two filters hold no references of their own.
    EXPECT_EQ(0u, overlay.Detach()->Release()) << "references left on Pel Overlay or its pins";
    EXPECT_EQ(0u, reversal.Detach()->Release()) << "references left on Pel Reversal or its pins";
}

}  // namespace
