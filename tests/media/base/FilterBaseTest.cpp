// The filter, pin and live source bases with an in-process source: pin bookkeeping, connection
// rules, state cycles and reference counts.
#include "framework/Handles.h"
#include "media/LiveSourceFilter.h"
#include "media/LiveSourcePin.h"
#include "media/MediaType.h"
#include "media/ModuleLock.h"
#include "media/QeditGuids.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/media/transform/InvertFilter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

const CLSID kClsidTinySource = {0x5b1c2f70, 0x1d2e, 0x4a6b, {0x9c, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77}};

// A 16 x 8 RGB24 source at 100 frames a second whose first byte counts the frames.
class TinyPin : public media::LiveSourcePin {
  public:
    explicit TinyPin(media::BaseFilter* filter) : LiveSourcePin(filter, L"Out") {}
    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override {
        const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type);
        return vih && vih->bmiHeader.biWidth == 16 && vih->bmiHeader.biHeight == 8 ? S_OK : S_FALSE;
    }
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE& type) override {
        if (position != 0) return VFW_S_NO_MORE_ITEMS;
        return media::MakeRgb24VideoType(type, 16, 8, 100000);
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override {
        request.cBuffers = 2;
        request.cbBuffer = 16 * 8 * 3;
        ALLOCATOR_PROPERTIES actual;
        return allocator->SetProperties(&request, &actual);
    }
    REFERENCE_TIME SampleDuration() override { return 100000; }
    HRESULT FillSample(IMediaSample* sample, REFERENCE_TIME, REFERENCE_TIME) override {
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        std::memset(data, 0, 16 * 8 * 3);
        data[0] = static_cast<BYTE>(counter_++);
        sample->SetActualDataLength(16 * 8 * 3);
        return S_OK;
    }

  private:
    int counter_ = 0;
};

class TinySource : public media::LiveSourceFilter {
  public:
    TinySource() : LiveSourceFilter(kClsidTinySource), pin_(this) {}
    ~TinySource() override { pin_.Inactive(); }
    int PinCount() override { return 1; }
    media::BasePin* PinAt(int index) override { return index == 0 ? &pin_ : nullptr; }

  private:
    TinyPin pin_;
};

class FilterBase : public ::testing::Test {
  protected:
    void SetUp() override { baseline_ = media::ModuleObjectCount(); }
    void TearDown() override { EXPECT_EQ(baseline_, media::ModuleObjectCount()) << "objects left alive"; }
    ScopedComInit com_;
    long baseline_ = 0;
};

TEST_F(FilterBase, PinsAreFoundEnumeratedAndDescribed) {
    IBaseFilter* source = new TinySource();
    source->AddRef();
    {
        ComPtr<IEnumPins> pins;
        ASSERT_EQ(S_OK, source->EnumPins(&pins));
        IPin* got[2] = {};
        EXPECT_EQ(E_INVALIDARG, pins->Next(2, got, nullptr));
        ULONG fetched = 0;
        EXPECT_EQ(S_FALSE, pins->Next(2, got, &fetched));
        ASSERT_EQ(1u, fetched);
        ComPtr<IPin> pin = ComPtr<IPin>::Adopt(got[0]);
        ComPtr<IEnumPins> clone;
        ASSERT_EQ(S_OK, pins->Clone(&clone));
        EXPECT_EQ(S_FALSE, clone->Next(1, got, nullptr));  // the clone keeps the position
        EXPECT_EQ(S_OK, pins->Reset());
        EXPECT_EQ(S_FALSE, pins->Skip(2));

        ComPtr<IPin> found;
        ASSERT_EQ(S_OK, source->FindPin(L"Out", &found));
        EXPECT_EQ(pin.Get(), found.Get());
        EXPECT_EQ(VFW_E_NOT_FOUND, source->FindPin(L"In", &found));
        LPWSTR id = nullptr;
        ASSERT_EQ(S_OK, pin->QueryId(&id));
        EXPECT_STREQ(L"Out", id);
        CoTaskMemFree(id);
        PIN_INFO info = {};
        ASSERT_EQ(S_OK, pin->QueryPinInfo(&info));
        EXPECT_EQ(source, info.pFilter);
        EXPECT_EQ(PINDIR_OUTPUT, info.dir);
        info.pFilter->Release();

        ComPtr<IEnumMediaTypes> types;
        ASSERT_EQ(S_OK, pin->EnumMediaTypes(&types));
        AM_MEDIA_TYPE* mt = nullptr;
        ASSERT_EQ(S_OK, types->Next(1, &mt, nullptr));
        EXPECT_EQ(S_OK, pin->QueryAccept(mt));
        media::DeleteMediaType(mt);
        EXPECT_EQ(S_FALSE, types->Next(1, &mt, nullptr));
        EXPECT_EQ(VFW_E_NOT_CONNECTED, pin->ConnectedTo(&found));
        AM_MEDIA_TYPE connected = {};
        EXPECT_EQ(VFW_E_NOT_CONNECTED, pin->ConnectionMediaType(&connected));
        EXPECT_EQ(S_FALSE, pin->Disconnect());
    }
    EXPECT_EQ(0u, source->Release());
}

TEST_F(FilterBase, ConnectionRulesStateCyclesAndReferenceCounts) {
    IBaseFilter* source = new TinySource();
    source->AddRef();
    IBaseFilter* invert = new mediatest::InvertFilter();
    invert->AddRef();
    {
        probe::FrameRecorder recorder;
        probe::GrabberGraph g;
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                         g.graph.AsOut()));
        ASSERT_EQ(S_OK, g.graph->AddFilter(source, L"Tiny"));
        ASSERT_EQ(S_OK, g.graph->AddFilter(invert, L"Invert"));
        FILTER_INFO info = {};
        ASSERT_EQ(S_OK, source->QueryFilterInfo(&info));
        EXPECT_STREQ(L"Tiny", info.achName);
        ASSERT_NE(nullptr, info.pGraph);
        info.pGraph->Release();

        auto out = ComPtr<IPin>::Adopt(probe::FirstPin(source, PINDIR_OUTPUT));
        auto in = ComPtr<IPin>::Adopt(probe::FirstPin(invert, PINDIR_INPUT));
        auto invertOut = ComPtr<IPin>::Adopt(probe::FirstPin(invert, PINDIR_OUTPUT));
        media::MediaType wrong;
        ASSERT_EQ(S_OK, media::MakeRgb24VideoType(wrong.Get(), 32, 8, 100000));
        EXPECT_TRUE(FAILED(out->Connect(in.Get(), &wrong.Get())));
        // The output has nothing to offer before its input is connected.
        ComPtr<IEnumMediaTypes> none;
        ASSERT_EQ(S_OK, invertOut->EnumMediaTypes(&none));
        AM_MEDIA_TYPE* mt = nullptr;
        EXPECT_EQ(S_FALSE, none->Next(1, &mt, nullptr));
        ASSERT_EQ(S_OK, g.graph->ConnectDirect(out.Get(), in.Get(), nullptr));
        EXPECT_EQ(VFW_E_ALREADY_CONNECTED, out->Connect(in.Get(), nullptr));
        EXPECT_EQ(VFW_E_ALREADY_CONNECTED, in->ReceiveConnection(out.Get(), &wrong.Get()));

        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(media::kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IBaseFilter, g.grabberFilter.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(media::kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IBaseFilter, g.renderer.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(g.grabberFilter->QueryInterface(IID_ISampleGrabber, g.grabber.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(g.grabber->SetCallback(&recorder, 0));
        ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(g.grabberFilter.Get(), L"Grabber"));
        ASSERT_HRESULT_SUCCEEDED(g.graph->AddFilter(g.renderer.Get(), L"Null"));
        ASSERT_HRESULT_SUCCEEDED(g.Connect(invert));
        ASSERT_HRESULT_SUCCEEDED(g.graph->QueryInterface(IID_IMediaControl, g.control.AsOut()));

        for (int cycle = 0; cycle < 5; ++cycle) {
            recorder.Clear();
            ASSERT_HRESULT_SUCCEEDED(g.control->Run());
            ASSERT_TRUE(recorder.WaitFrames(3, 3000)) << "cycle " << cycle;
            if (cycle == 0) {
                EXPECT_EQ(VFW_E_NOT_STOPPED, out->Disconnect());
            }
            if (cycle % 2) {
                ASSERT_HRESULT_SUCCEEDED(g.control->Pause());
                FILTER_STATE state;
                EXPECT_EQ(VFW_S_CANT_CUE, source->GetState(0, &state));
            }
            ASSERT_HRESULT_SUCCEEDED(g.control->Stop());
            for (const probe::Frame& f : recorder.Take()) {
                ASSERT_EQ(16u * 8 * 3, f.bytes.size());
                EXPECT_EQ(255, f.bytes[1]);  // inverted zero
                EXPECT_EQ(100000, f.stop - f.start);
            }
        }
        g.Release();
    }
    EXPECT_EQ(0u, invert->Release());
    EXPECT_EQ(0u, source->Release());
}

TEST_F(FilterBase, LiveSourceRunsWithoutAGraphClock) {
    IBaseFilter* source = new TinySource();
    source->AddRef();
    {
        probe::FrameRecorder recorder;
        probe::GrabberGraph g;
        ASSERT_EQ(S_OK, g.Build(source, MEDIATYPE_Video, &recorder));
        ComPtr<IMediaFilter> graphFilter;
        ASSERT_HRESULT_SUCCEEDED(g.graph->QueryInterface(IID_IMediaFilter, graphFilter.AsOut()));
        ASSERT_HRESULT_SUCCEEDED(graphFilter->SetSyncSource(nullptr));
        ASSERT_HRESULT_SUCCEEDED(g.control->Run());
        ASSERT_TRUE(recorder.WaitFrames(5, 3000));
        g.control->Stop();
        const auto frames = recorder.Take();
        for (size_t i = 1; i < frames.size(); ++i) EXPECT_GT(frames[i].start, frames[i - 1].start);
        g.Release();
    }
    EXPECT_EQ(0u, source->Release());
}

}  // namespace
