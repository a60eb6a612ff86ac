#include "monitor/libs/YsCapture/GrabberGraph.h"

#include "monitor/libs/YsCapture/Log.h"

#include <atomic>
#include <utility>

namespace yscap {

// The grabber's callback object. The graph and the grabber hold it; it forwards each sample.
class GrabberGraph::Callback final : public ISampleGrabberCB {
  public:
    explicit Callback(Handler handler) : handler_(std::move(handler)) {
        ::QueryPerformanceFrequency(&frequency_);
    }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
            *out = static_cast<ISampleGrabberCB*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(++refs_); }
    STDMETHODIMP_(ULONG) Release() override {
        const long left = --refs_;
        if (left == 0) delete this;
        return ULONG(left);
    }

    STDMETHODIMP SampleCB(double, IMediaSample* sample) override {
        if (!sample) return S_OK;
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data)) || !data) return S_OK;
        GrabbedSample s;
        s.data = data;
        s.size = size_t(sample->GetActualDataLength());
        REFERENCE_TIME start = 0, stop = 0;
        if (sample->GetTime(&start, &stop) == S_OK) {
            s.time = start;
        } else {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            s.time = int64_t(double(now.QuadPart) * 1e7 / double(frequency_.QuadPart));
        }
        handler_(s);
        return S_OK;
    }
    STDMETHODIMP BufferCB(double, BYTE*, long) override { return S_OK; }

  private:
    std::atomic<long> refs_{1};
    Handler handler_;
    LARGE_INTEGER frequency_{};
};

bool GrabberGraph::Build(IBaseFilter* source, REFGUID major, REFGUID subtype,
                         const std::function<bool(ICaptureGraphBuilder2*, IBaseFilter*)>& configure,
                         Handler handler) {
    Close();
    ComPtr<IGraphBuilder> graph;
    ComPtr<ICaptureGraphBuilder2> builder;
    HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                    graph.AsOut());
    if (FAILED(hr)) return LogFailure("CoCreateInstance(FilterGraph)", hr), false;
    hr = ::CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                            IID_ICaptureGraphBuilder2, builder.AsOut());
    if (FAILED(hr)) return LogFailure("CoCreateInstance(CaptureGraphBuilder2)", hr), false;
    // From here on the members own the objects, so a failure is cleaned up by Close.
    graph_ = graph;
    builder_ = builder;
    if (FAILED(hr = builder_->SetFiltergraph(graph_.Get()))) return LogFailure("SetFiltergraph", hr), false;
    if (FAILED(hr = graph_->AddFilter(source, L"Source"))) return LogFailure("AddFilter(source)", hr), false;
    if (configure && !configure(builder_.Get(), source)) return false;

    ComPtr<IBaseFilter> grabberFilter, renderer;
    hr = ::CoCreateInstance(kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                            grabberFilter.AsOut());
    if (FAILED(hr)) return LogFailure("CoCreateInstance(SampleGrabber)", hr), false;
    hr = ::CoCreateInstance(kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                            renderer.AsOut());
    if (FAILED(hr)) return LogFailure("CoCreateInstance(NullRenderer)", hr), false;
    if (FAILED(hr = grabberFilter.As(grabber_, IID_ISampleGrabber)))
        return LogFailure("QueryInterface(ISampleGrabber)", hr), false;

    AM_MEDIA_TYPE wanted{};
    wanted.majortype = major;
    wanted.subtype = subtype;
    if (FAILED(hr = grabber_->SetMediaType(&wanted))) return LogFailure("SetMediaType", hr), false;
    grabber_->SetOneShot(FALSE);
    grabber_->SetBufferSamples(FALSE);
    callback_ = new Callback(std::move(handler));
    if (FAILED(hr = grabber_->SetCallback(callback_, 0))) return LogFailure("SetCallback", hr), false;
    if (FAILED(hr = graph_->AddFilter(grabberFilter.Get(), L"Grabber")))
        return LogFailure("AddFilter(grabber)", hr), false;
    if (FAILED(hr = graph_->AddFilter(renderer.Get(), L"Sink")))
        return LogFailure("AddFilter(sink)", hr), false;

    // Rendering the capture category from the filter lets the builder put its splitter in front,
    // which copies every frame for nothing here; the capture pin itself connects straight on.
    ComPtr<IPin> capturePin;
    IUnknown* from = source;
    if (SUCCEEDED(
            builder_->FindPin(source, PINDIR_OUTPUT, &PIN_CATEGORY_CAPTURE, &major, TRUE, 0, &capturePin)))
        from = capturePin.Get();
    hr = builder_->RenderStream(nullptr, &major, from, grabberFilter.Get(), renderer.Get());
    if (FAILED(hr)) return LogFailure("RenderStream", hr), false;
    if (FAILED(hr = grabber_->GetConnectedMediaType(&connected_)))
        return LogFailure("GetConnectedMediaType", hr), false;
    if (connected_.pbFormat) format_.assign(connected_.pbFormat, connected_.pbFormat + connected_.cbFormat);

    if (FAILED(hr = graph_.As(control_, IID_IMediaControl)))
        return LogFailure("QueryInterface(IMediaControl)", hr), false;
    if (FAILED(hr = graph_.As(events_, IID_IMediaEventEx)))
        return LogFailure("QueryInterface(IMediaEventEx)", hr), false;
    return true;
}

bool GrabberGraph::Run() {
    if (!control_) return false;
    const HRESULT hr = control_->Run();
    if (FAILED(hr)) return LogFailure("IMediaControl::Run", hr), false;
    running_ = true;
    return true;
}

void GrabberGraph::Stop() {
    if (control_ && running_) control_->Stop();
    running_ = false;
}

bool GrabberGraph::PollFailure() {
    if (!events_) return false;
    bool failed = false;
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (events_->GetEvent(&code, &p1, &p2, 0) == S_OK) {
        if ((code == EC_DEVICE_LOST && p2 == 0) || code == EC_ERRORABORT || code == EC_STREAM_ERROR_STOPPED ||
            code == EC_ERROR_STILLPLAYING)
            failed = true;
        events_->FreeEventParams(code, p1, p2);
    }
    return failed;
}

void GrabberGraph::Close() {
    Stop();
    if (grabber_) grabber_->SetCallback(nullptr, 0);
    FreeMediaTypeFields(connected_);
    connected_ = AM_MEDIA_TYPE{};
    format_.clear();
    events_ = nullptr;
    control_ = nullptr;
    grabber_ = nullptr;
    builder_ = nullptr;
    if (graph_) {
        // Removing the filters breaks the graph's references to them before it goes.
        ComPtr<IEnumFilters> filters;
        if (SUCCEEDED(graph_->EnumFilters(&filters)) && filters) {
            std::vector<ComPtr<IBaseFilter>> all;
            ComPtr<IBaseFilter> f;
            while (filters->Next(1, &f, nullptr) == S_OK) all.push_back(std::move(f));
            filters = nullptr;
            for (auto& filter : all) graph_->RemoveFilter(filter.Get());
        }
        NoteComLeak("filter graph release", graph_.Detach()->Release());
    }
    if (callback_) {
        NoteComLeak("grabber callback release", std::exchange(callback_, nullptr)->Release());
    }
}

}  // namespace yscap
