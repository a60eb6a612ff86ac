#include "tests/devices/support/CaptureProbe.h"

#include "media/DeviceMonikers.h"
#include "media/MediaType.h"
#include "media/QeditGuids.h"

#include <cstring>

namespace probe {

std::vector<std::wstring> DeviceNames(const GUID& category) {
    return media::DeviceNames(category);
}

ComPtr<IBaseFilter> BindDevice(const GUID& category, const wchar_t* wanted) {
    return media::BindDeviceByName(category, wanted);
}

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

FrameRecorder::FrameRecorder() {
    InitializeCriticalSection(&lock_);
    arrived_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

FrameRecorder::~FrameRecorder() {
    CloseHandle(arrived_);
    DeleteCriticalSection(&lock_);
}

STDMETHODIMP FrameRecorder::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
        *out = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP FrameRecorder::SampleCB(double, IMediaSample* sample) {
    Frame f;
    BYTE* data = nullptr;
    if (SUCCEEDED(sample->GetPointer(&data)) && data) {
        f.bytes.assign(data, data + sample->GetActualDataLength());
    }
    f.timed = SUCCEEDED(sample->GetTime(&f.start, &f.stop));
    EnterCriticalSection(&lock_);
    if (frames_.size() < keep_) frames_.push_back(std::move(f));
    LeaveCriticalSection(&lock_);
    SetEvent(arrived_);
    return S_OK;
}

bool FrameRecorder::WaitFrames(size_t count, DWORD timeoutMs) {
    const DWORD begin = GetTickCount();
    while (Count() < count) {
        const DWORD spent = GetTickCount() - begin;
        if (spent >= timeoutMs) return false;
        WaitForSingleObject(arrived_, timeoutMs - spent);
    }
    return true;
}

size_t FrameRecorder::Count() {
    EnterCriticalSection(&lock_);
    const size_t n = frames_.size();
    LeaveCriticalSection(&lock_);
    return n;
}

std::vector<Frame> FrameRecorder::Take() {
    EnterCriticalSection(&lock_);
    std::vector<Frame> out = frames_;
    LeaveCriticalSection(&lock_);
    return out;
}

void FrameRecorder::Clear() {
    EnterCriticalSection(&lock_);
    frames_.clear();
    LeaveCriticalSection(&lock_);
}

IPin* FirstPin(IBaseFilter* filter, PIN_DIRECTION direction) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction) return pin;
        pin->Release();
    }
    return nullptr;
}

HRESULT GrabberGraph::Create(const GUID& majorType, ISampleGrabberCB* callback) {
    HRESULT hr =
        CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.AsOut());
    if (FAILED(hr)) return hr;
    hr = CoCreateInstance(media::kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          grabberFilter.AsOut());
    if (FAILED(hr)) return hr;
    hr = CoCreateInstance(media::kClsidNullRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                          renderer.AsOut());
    if (FAILED(hr)) return hr;
    if (FAILED(hr = grabberFilter->QueryInterface(IID_ISampleGrabber, grabber.AsOut()))) return hr;
    AM_MEDIA_TYPE mt = {};
    mt.majortype = majorType;
    if (majorType == MEDIATYPE_Video) mt.subtype = MEDIASUBTYPE_RGB24;
    if (FAILED(hr = grabber->SetMediaType(&mt))) return hr;
    grabber->SetBufferSamples(FALSE);
    grabber->SetOneShot(FALSE);
    if (callback && FAILED(hr = grabber->SetCallback(callback, 0))) return hr;
    if (FAILED(hr = graph->AddFilter(grabberFilter.Get(), L"Grabber"))) return hr;
    if (FAILED(hr = graph->AddFilter(renderer.Get(), L"Null"))) return hr;
    if (FAILED(hr = graph->QueryInterface(IID_IMediaControl, control.AsOut()))) return hr;
    return graph->QueryInterface(IID_IMediaEvent, events.AsOut());
}

HRESULT GrabberGraph::Build(IBaseFilter* source, const GUID& majorType, ISampleGrabberCB* callback) {
    HRESULT hr = Create(majorType, callback);
    if (FAILED(hr)) return hr;
    if (FAILED(hr = graph->AddFilter(source, L"Source"))) return hr;
    return Connect(source);
}

HRESULT GrabberGraph::Connect(IBaseFilter* source) {
    auto out = ComPtr<IPin>::Adopt(FirstPin(source, PINDIR_OUTPUT));
    auto grabIn = ComPtr<IPin>::Adopt(FirstPin(grabberFilter.Get(), PINDIR_INPUT));
    auto grabOut = ComPtr<IPin>::Adopt(FirstPin(grabberFilter.Get(), PINDIR_OUTPUT));
    auto nullIn = ComPtr<IPin>::Adopt(FirstPin(renderer.Get(), PINDIR_INPUT));
    if (!out || !grabIn || !grabOut || !nullIn) return E_FAIL;
    HRESULT hr = graph->ConnectDirect(out.Get(), grabIn.Get(), nullptr);
    if (FAILED(hr)) return hr;
    return graph->ConnectDirect(grabOut.Get(), nullIn.Get(), nullptr);
}

void GrabberGraph::ConnectedSize(int& width, int& height) {
    width = height = 0;
    AM_MEDIA_TYPE mt = {};
    if (FAILED(grabber->GetConnectedMediaType(&mt))) return;
    if (const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(mt)) {
        width = vih->bmiHeader.biWidth;
        height = vih->bmiHeader.biHeight;
    }
    media::FreeMediaType(mt);
}

bool GrabberGraph::WaitEvent(long wanted, DWORD timeoutMs, LONG_PTR* param1, LONG_PTR* param2) {
    const DWORD begin = GetTickCount();
    for (;;) {
        long code = 0;
        LONG_PTR p1 = 0, p2 = 0;
        const DWORD spent = GetTickCount() - begin;
        if (spent > timeoutMs) return false;
        const HRESULT hr = events->GetEvent(&code, &p1, &p2, timeoutMs - spent);
        if (hr == E_ABORT) {  // Wine may answer at once with an empty queue: wait on
            Sleep(20);
            continue;
        }
        if (hr != S_OK) return false;
        events->FreeEventParams(code, p1, p2);
        if (code == wanted) {
            if (param1) *param1 = p1;
            if (param2) *param2 = p2;
            return true;
        }
    }
}

void GrabberGraph::Release() {
    if (control) control->Stop();
    if (grabber) grabber->SetCallback(nullptr, 0);
    events = nullptr;
    control = nullptr;
    grabber = nullptr;
    renderer = nullptr;
    grabberFilter = nullptr;
    graph = nullptr;
}

}  // namespace probe
