#include "camera/graph/CaptureGraph.h"

#include "media/DShow.h"

#include <olectl.h>
#include <qedit.h>

#include "camera/graph/CaptureStreamControl.h"
#include "camera/graph/GraphMessages.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "camera/libs/PelUtility/PelDS.h"
#include "media/QeditGuids.h"
#include "media/avi/CaptureFileOutput.h"

namespace {

constexpr HRESULT kNoPreviewPin = 0x0004027E;  // VFW_S_NOPREVIEWPIN: the builder split the capture pin
constexpr wchar_t kMpeg4Compressor[] = L"@device:cm:{33D9A760-90C8-11D0-BD43-00A0C911CE86}\\mp42";
constexpr long kChildClipStyle = WS_CHILD | WS_CLIPCHILDREN;

void Log(const wchar_t* what, HRESULT hr) {
    wchar_t line[200];
    wsprintfW(line, L"CaptureGraph: %s, hr=0x%08lX\n", what, static_cast<unsigned long>(hr));
    OutputDebugStringW(line);
}

// The moniker's "FriendlyName", at most 259 characters; empty when it has none.
std::wstring FriendlyName(IMoniker* moniker) {
    std::wstring name;
    ComPtr<IPropertyBag> bag;
    if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()))) return name;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = nullptr;  // a failed Read may leave it, and VariantClear would free it
    if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal) {
        name = value.bstrVal;
        if (name.size() > MAX_PATH - 1) name.resize(MAX_PATH - 1);
    }
    VariantClear(&value);
    return name;
}

// Whether the MPEG-4 compressor is listed among the video compressors. Asked first so that a
// system without it does not have to parse the moniker's name at all.
bool Mpeg4CompressorInstalled() {
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.AsOut())))
        return false;
    ComPtr<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(CLSID_VideoCompressorCategory, &monikers, 0) != S_OK || !monikers)
        return false;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        LPOLESTR name = nullptr;
        if (FAILED(moniker->GetDisplayName(nullptr, nullptr, &name)) || !name) continue;
        const bool same = lstrcmpiW(name, kMpeg4Compressor) == 0;
        CoTaskMemFree(name);
        if (same) return true;
    }
    return false;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SameObject(IUnknown* a, IUnknown* b) {
    if (!a || !b) return false;
    ComPtr<IUnknown> ia, ib;
    if (FAILED(a->QueryInterface(IID_IUnknown, ia.AsOut())) ||
        FAILED(b->QueryInterface(IID_IUnknown, ib.AsOut())))
        return false;
    return ia.Get() == ib.Get();
}

}  // namespace

CaptureGraph::CaptureGraph(GraphHost& host) : host_(host) {}

CaptureGraph::~CaptureGraph() = default;

void CaptureGraph::SelectCaptureDevices(IMoniker* video, IMoniker* audio) {
    if (video != videoMoniker_.Get() || audio != audioMoniker_.Get()) {
        videoMoniker_ = ComPtr<IMoniker>(video);
        audioMoniker_ = ComPtr<IMoniker>(audio);
        if (state_ != Idle) HaltGraph();
        if (previewBuilt_ || captureBuilt_) DismantleGraph();
        ReleaseCaptureFilters();
        if (CreateGraphObjects() < 0) {
            Show(graphtext::kCreateGraphBuilderFailed);
        } else if (BindCaptureFilters() < 0) {
            ReleaseCaptureFilters();
            Show(graphtext::kCreateInputFiltersFailed);
        }
        AssemblePreviewGraph();
        RunPreview();
        host_.RefreshPropertyMenu();
    }
    host_.RefreshDeviceTicks();
}

void CaptureGraph::ReleaseMonikers() {
    videoMoniker_.Reset();
    audioMoniker_.Reset();
}

HRESULT CaptureGraph::CreateGraphObjects() {
    HRESULT hr;
    if (!builder_) {
        hr = CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                              IID_ICaptureGraphBuilder2, builder_.AsOut());
        if (FAILED(hr)) {
            Log(L"CaptureGraphBuilder2 not created", hr);
            return hr;
        }
    }
    if (!graph_) {
        hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                              graph_.AsOut());
        if (FAILED(hr)) {
            Log(L"FilterGraph not created", hr);
            builder_.Reset();
            return hr;
        }
    }
    builder_->SetFiltergraph(graph_.Get());
    return S_OK;
}

HRESULT CaptureGraph::BindCaptureFilters() {
    videoCapture_.Reset();
    // Each pair starts out recording sound; the steps below turn it off when there is none.
    captureAudio_ = 1;
    std::wstring name;
    if (videoMoniker_) {
        name = FriendlyName(videoMoniker_.Get());
        HRESULT hr = videoMoniker_->BindToObject(nullptr, nullptr, IID_IBaseFilter, videoCapture_.AsOut());
        if (FAILED(hr)) Log(L"video device not bound", hr);
    }
    if (!videoCapture_) {
        Show(graphtext::kCreateVideoCaptureFilterFailed);
        return E_FAIL;
    }
    HRESULT hr = graph_->AddFilter(videoCapture_.Get(), name.c_str());
    if (FAILED(hr)) {
        Log(L"video device not added", hr);
        Show(graphtext::kInsertVideoCaptureFilterFailed);
        return hr;
    }
    hr = builder_->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, videoCapture_.Get(),
                                 IID_IAMStreamConfig, videoConfig_.AsOut());
    if (FAILED(hr)) {
        Log(L"no IAMStreamConfig on the video capture pin", hr);
        Show(graphtext::kNoVideoStreamConfig);
    }
    AM_MEDIA_TYPE* type = nullptr;
    if (videoConfig_ && videoConfig_->GetFormat(&type) == S_OK && type) {
        if (type->formattype == FORMAT_VideoInfo && type->pbFormat &&
            type->cbFormat >= sizeof(VIDEOINFOHEADER)) {
            const VIDEOINFOHEADER* info = reinterpret_cast<const VIDEOINFOHEADER*>(type->pbFormat);
            videoWidth_ = info->bmiHeader.biWidth;
            videoHeight_ =
                info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
            host_.OnCaptureFormat(videoWidth_, videoHeight_);
        }
        const bool video = type->majortype == MEDIATYPE_Video;
        if (type->cbFormat && type->pbFormat) CoTaskMemFree(type->pbFormat);
        if (type->pUnk) type->pUnk->Release();
        CoTaskMemFree(type);
        if (!video) {
            // A camera that delivers something else than plain video records no sound either.
            captureAudio_ = 0;
            return S_OK;
        }
    }
    if (!audioMoniker_) {
        captureAudio_ = 0;
        return S_OK;
    }
    hr = audioMoniker_->BindToObject(nullptr, nullptr, IID_IBaseFilter, audioCapture_.AsOut());
    if (FAILED(hr) || !audioCapture_) {
        Log(L"audio device not bound", hr);
        captureAudio_ = 0;
        Show(graphtext::kCreateAudioCaptureFilterFailed);
        return S_OK;
    }
    name = FriendlyName(audioMoniker_.Get());
    hr = graph_->AddFilter(audioCapture_.Get(), name.c_str());
    if (FAILED(hr)) {
        Log(L"audio device not added", hr);
        Show(graphtext::kInsertAudioCaptureFilterFailed);
        return hr;
    }
    hr = builder_->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, audioCapture_.Get(),
                                 IID_IAMStreamConfig, audioConfig_.AsOut());
    if (FAILED(hr)) {
        Log(L"no IAMStreamConfig on the audio capture pin", hr);
        Show(graphtext::kNoAudioStreamConfig);
    }
    return S_OK;
}

void CaptureGraph::ReleaseCaptureFilters() {
    videoCapture_.Reset();
    audioCapture_.Reset();
    audioConfig_.Reset();
    videoConfig_.Reset();
    graph_.Reset();
    builder_.Reset();
}

bool CaptureGraph::RenderPreviewStream(IBaseFilter* sink) {
    const HRESULT hr =
        builder_->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, videoCapture_.Get(), nullptr, sink);
    if (hr == S_OK || hr == kNoPreviewPin) return true;
    Log(L"preview stream not rendered", hr);
    return false;
}

bool CaptureGraph::SetUpGrabber() {
    ComPtr<ISampleGrabber> grabber;
    if (FAILED(grabber_->QueryInterface(IID_ISampleGrabber, grabber.AsOut()))) {
        Show(graphtext::kCouldNotSetMediaType);
        return false;
    }
    AM_MEDIA_TYPE type{};
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    HRESULT hr = grabber->SetMediaType(&type);
    if (FAILED(hr)) {
        Log(L"grabber media type refused", hr);
        Show(graphtext::kCouldNotSetMediaType);
        return false;
    }
    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(FALSE);
    grabber->SetCallback(host_.GrabberCallback(), 1);
    return true;
}

bool CaptureGraph::AssemblePreviewGraph() {
    if (previewBuilt_) return true;
    if (state_ != Idle || !videoCapture_ || !graph_ || !builder_) return false;
    if (captureBuilt_) DismantleGraph();

    HRESULT hr = PelDS::AddFilterByCLSID(graph_.Get(), CLSID_PelOverlay, L"Pel Overlay", &overlay_);
    if (hr != S_OK) {
        Log(L"Pel Overlay not inserted", hr);
        Show(graphtext::kInsertOverlayFailed);
        return false;
    }
    if (!RenderPreviewStream(overlay_.Get())) {
        Show(graphtext::kBuildPreviewGraphFailed);
        previewBuilt_ = 0;
        return false;
    }
    hr = PelDS::AddFilterByCLSID(graph_.Get(), CLSID_PelReversal, L"Pel Reversal", &reversal_);
    if (hr != S_OK) {
        Log(L"Pel Reversal not inserted", hr);
        Show(graphtext::kInsertReversalFailed);
        return false;
    }
    hr = PelDS::ConnectFilters(graph_.Get(), overlay_.Get(), reversal_.Get());
    if (hr != S_OK) {
        Log(L"overlay not connected to reversal", hr);
        Show(graphtext::kConnectOverlayToReversalFailed);
        return false;
    }
    hr = PelDS::AddFilterByCLSID(graph_.Get(), media::kClsidSampleGrabber, L"Grabber", &grabber_);
    if (hr != S_OK) {
        Log(L"grabber not inserted", hr);
        Show(graphtext::kInsertGrabberFailed);
        return false;
    }
    if (!SetUpGrabber()) return false;
    host_.PreparePhotoBuffer();
    hr = builder_->RenderStream(nullptr, &MEDIATYPE_Video, reversal_.Get(), grabber_.Get(), nullptr);
    if (FAILED(hr)) {
        Log(L"grabber not rendered", hr);
        Show(graphtext::kBuildPreviewGraphFailed);
        previewBuilt_ = 0;
        return false;
    }
    ComPtr<IPelFilter> pel;
    if (FAILED(overlay_->QueryInterface(IID_IPelFilter, pel.AsOut()))) {
        Show(graphtext::kNoPelFilter);
    } else {
        pel->SetSize(videoWidth_, videoHeight_);
    }
    pel.Reset();
    host_.ApplyStoredSettings();
    AttachVideoWindow();
    previewBuilt_ = 1;
    return true;
}

bool CaptureGraph::AssembleRecordGraph(const std::wstring& path) {
    if (captureBuilt_) return true;
    if (state_ != Idle || !videoCapture_ || !graph_ || !builder_) return false;
    if (captureAudio_ && !audioCapture_) return false;
    if (previewBuilt_) DismantleGraph();

    HRESULT hr;
    if (!FileExists(path)) {
        // A new file is preallocated one megabyte.
        hr = media::avi::AllocCapFile(builder_.Get(), path.c_str(), 1048576u);
        if (FAILED(hr)) {
            Log(L"capture file not preallocated", hr);
            Show(graphtext::kPreassignFileSpaceFailed);
            return false;
        }
    }
    ComPtr<IBaseFilter> mux;
    ComPtr<IFileSinkFilter> sink;
    hr = media::avi::SetOutputFileName(builder_.Get(), graph_.Get(), &MEDIASUBTYPE_Avi, path.c_str(), &mux,
                                       &sink);
    // Kept so that a graph that fails half-way can still take the writer out and free the file.
    mux_ = mux;
    if (FAILED(hr)) {
        Log(L"output file not set", hr);
        Show(graphtext::kCannotSetOutputFile);
        return false;
    }
    if (!RenderPreviewStream(nullptr)) {
        Show(graphtext::kBuildPreviewGraphFailed);
        return false;
    }
    compressor_.Reset();  // without it the video is recorded as the camera sends it
    if (Mpeg4CompressorInstalled()) {
        hr = PelDS::AddFilterByDisplayName(graph_.Get(), kMpeg4Compressor, &compressor_);
        if (FAILED(hr)) compressor_.Reset();
    }
    hr = builder_->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, videoCapture_.Get(),
                                compressor_.Get(), mux.Get());
    if (FAILED(hr)) {
        Log(L"video capture stream not rendered", hr);
        Show(graphtext::kCannotRenderVideoCapture);
        return false;
    }
    if (captureAudio_) {
        hr = builder_->RenderStream(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Audio, audioCapture_.Get(), nullptr,
                                    mux.Get());
        if (FAILED(hr)) {
            Log(L"audio capture stream not rendered", hr);
            Show(graphtext::kCannotRenderAudioCapture);
            return false;
        }
    }
    AttachVideoWindow();
    captureBuilt_ = 1;
    return true;
}

void CaptureGraph::DismantleGraph() {
    events_.Reset();
    if (videoWindow_) {
        videoWindow_->put_Visible(OAFALSE);
        videoWindow_->put_Owner(0);
        videoWindow_.Reset();
    }
    if (graph_) {
        if (videoCapture_) PelDS::NukeDownstream(graph_.Get(), videoCapture_.Get());
        if (audioCapture_) PelDS::NukeDownstream(graph_.Get(), audioCapture_.Get());
        // Filters of a half-built graph may still sit unconnected in it; the writer behind the
        // multiplexer holds the file open until it leaves.
        if (mux_) PelDS::NukeDownstream(graph_.Get(), mux_.Get());
        for (IBaseFilter* left :
             {overlay_.Get(), reversal_.Get(), grabber_.Get(), compressor_.Get(), mux_.Get()}) {
            if (left) graph_->RemoveFilter(left);
        }
    }
    compressor_.Reset();
    mux_.Reset();
    overlay_.Reset();
    reversal_.Reset();
    grabber_.Reset();
    droppedFrames_.Reset();
    previewBuilt_ = 0;
    captureBuilt_ = 0;
}

bool CaptureGraph::StartRecording(const std::wstring& path) {
    if (state_ == Previewing) HaltGraph();
    const bool existed = FileExists(path);
    if (AssembleRecordGraph(path) && RunRecording()) return true;

    if (state_ != Idle) HaltGraph();
    DismantleGraph();
    if (!existed && FileExists(path) && !DeleteFileW(path.c_str()))
        Log(L"half-written capture file not removed", HRESULT_FROM_WIN32(GetLastError()));
    AssemblePreviewGraph();
    RunPreview();
    return false;
}

void CaptureGraph::AttachVideoWindow() {
    if (!graph_) return;
    if (!videoWindow_) {
        HRESULT hr = graph_->QueryInterface(IID_IVideoWindow, videoWindow_.AsOut());
        if (FAILED(hr)) {
            Log(L"no IVideoWindow", hr);
            Show(graphtext::kNoVideoWindow);
        } else {
            RECT client{};
            GetClientRect(host_.VideoParent(), &client);
            videoWindow_->put_Owner(reinterpret_cast<OAHWND>(host_.VideoParent()));
            videoWindow_->put_WindowStyle(kChildClipStyle);
            videoWindow_->SetWindowPosition(0, 0, client.right, client.bottom);
            videoWindow_->put_Visible(OATRUE);
        }
    }
    if (!events_) {
        if (SUCCEEDED(graph_->QueryInterface(IID_IMediaEventEx, events_.AsOut())))
            events_->SetNotifyWindow(reinterpret_cast<OAHWND>(host_.GraphWindow()), WM_GRAPHNOTIFY, 0);
    }
}

void CaptureGraph::FitVideoWindow(int width, int height) {
    if (videoWindow_) videoWindow_->SetWindowPosition(0, 0, width, height);
}

bool CaptureGraph::RunPreview() {
    if (state_ == Previewing) return true;
    if (!previewBuilt_ || !graph_) return false;
    ComPtr<IMediaControl> control;
    HRESULT hr = graph_->QueryInterface(IID_IMediaControl, control.AsOut());
    if (SUCCEEDED(hr)) {
        hr = control->Run();
        if (FAILED(hr)) control->Stop();
    }
    control.Reset();
    if (FAILED(hr)) {
        Log(L"preview not run", hr);
        Show(graphtext::kCannotRunPreview);
        return false;
    }
    SetTimer(host_.GraphWindow(), kStatusTimerId, kStatusTimerMs, nullptr);
    state_ = Previewing;
    return true;
}

bool CaptureGraph::RunRecording() {
    if (state_ == Capturing) return true;
    if (state_ == Previewing) HaltGraph();
    if (!captureBuilt_ || !graph_) return false;

    ComPtr<IMediaControl> control;
    HRESULT hr = graph_->QueryInterface(IID_IMediaControl, control.AsOut());
    if (FAILED(hr)) {
        Show(graphtext::kCannotGetMediaControl);
        return false;
    }
    // With stream control the graph runs with the capture pins held (the preview flows), and
    // they are let go once it runs. The capture filters outlive this graph, so a failed start
    // must not leave them held for the next preview.
    REFERENCE_TIME never = MAXLONGLONG, noStop = MAXLONGLONG;
    const bool streamControl =
        SUCCEEDED(ControlCaptureStreams(builder_.Get(), graph_.Get(), &never, nullptr));
    hr = streamControl ? control->Run() : control->Pause();
    if (FAILED(hr)) {
        Log(L"capture graph not started", hr);
        control->Stop();
        if (streamControl) ControlCaptureStreams(builder_.Get(), graph_.Get(), nullptr, &noStop);
        control.Reset();
        Show(graphtext::kCannotStartGraph);
        return false;
    }
    // Paused without stream control: now run it; with stream control: let the capture pins go.
    hr = streamControl ? ControlCaptureStreams(builder_.Get(), graph_.Get(), nullptr, &noStop)
                       : control->Run();
    if (FAILED(hr)) {
        Log(streamControl ? L"capture streams not started" : L"capture graph not run", hr);
        control->Stop();
        control.Reset();
        Show(graphtext::kCannotRunCapture);
        return false;
    }
    control.Reset();
    SetTimer(host_.GraphWindow(), kStatusTimerId, kStatusTimerMs, nullptr);
    state_ = Capturing;
    return true;
}

bool CaptureGraph::HaltGraph() {
    if (state_ == Idle) return false;
    ComPtr<IMediaControl> control;
    HRESULT hr = graph_ ? graph_->QueryInterface(IID_IMediaControl, control.AsOut()) : E_POINTER;
    if (SUCCEEDED(hr)) hr = control->Stop();
    control.Reset();
    if (FAILED(hr)) {
        Log(L"graph not stopped", hr);
        Show(graphtext::kCannotStopGraph);
        return false;
    }
    KillTimer(host_.GraphWindow(), kStatusTimerId);
    state_ = Idle;
    return true;
}

LRESULT CaptureGraph::OnGraphNotify() {
    if (!events_) return 0;
    long code = 0;
    LONG_PTR param1 = 0, param2 = 0;
    // The event source may go away inside the loop (a halt does not release it, but stay safe).
    while (events_ && events_->GetEvent(&code, &param1, &param2, 0) == S_OK) {
        bool stop = false;
        if (code == EC_ERRORABORT) {
            HaltGraph();
            host_.ClearStatusPane();
        } else if (code == EC_DEVICE_LOST && param2 == 0) {
            // param1 is the lost device's IUnknown.
            IUnknown* lost = reinterpret_cast<IUnknown*>(param1);
            ComPtr<IBaseFilter> filter;
            if (lost && SUCCEEDED(lost->QueryInterface(IID_IBaseFilter, filter.AsOut())) &&
                SameObject(filter.Get(), videoCapture_.Get())) {
                OutputDebugStringW(graphtext::kDeviceLost);
                HaltGraph();
                host_.ClearStatusPane();
                stop = true;
            }
        }
        events_->FreeEventParams(code, param1, param2);
        if (stop) break;
    }
    return 1;
}

CaptureGraph::StatusPane CaptureGraph::QueryStatusPane() {
    if (!droppedFrames_ && builder_ && videoCapture_) {
        // Drivers answer it on the filter; a search by pin category may only look at pins.
        if (FAILED(builder_->FindInterface(&PIN_CATEGORY_CAPTURE, &MEDIATYPE_Video, videoCapture_.Get(),
                                           IID_IAMDroppedFrames, droppedFrames_.AsOut())))
            videoCapture_->QueryInterface(IID_IAMDroppedFrames, droppedFrames_.AsOut());
    }
    if (!droppedFrames_) return StatusPane::Clear;
    long delivered = 0;
    return SUCCEEDED(droppedFrames_->GetNumNotDropped(&delivered)) ? StatusPane::CameraName
                                                                   : StatusPane::Unchanged;
}

bool CaptureGraph::HasPropertyPages() const {
    if (!videoCapture_) return false;
    ComPtr<ISpecifyPropertyPages> pages;
    if (FAILED(videoCapture_->QueryInterface(IID_ISpecifyPropertyPages, pages.AsOut()))) return false;
    CAUUID list{};
    if (FAILED(pages->GetPages(&list))) return false;
    const bool any = list.cElems > 0;
    CoTaskMemFree(list.pElems);
    return any;
}

void CaptureGraph::ShowPropertyPages(HWND owner) const {
    if (!videoCapture_) return;
    ComPtr<ISpecifyPropertyPages> pages;
    if (FAILED(videoCapture_->QueryInterface(IID_ISpecifyPropertyPages, pages.AsOut()))) return;
    CAUUID list{};
    if (FAILED(pages->GetPages(&list))) return;
    IUnknown* object = videoCapture_.Get();
    HRESULT hr =
        OleCreatePropertyFrame(owner, 30, 80, nullptr, 1, &object, list.cElems, list.pElems, 0, 0, nullptr);
    if (FAILED(hr)) Log(L"property pages not shown", hr);
    CoTaskMemFree(list.pElems);
}
