#include "media/BaseFilter.h"

#include "media/BasePin.h"
#include "media/EnumPins.h"

#include <cstring>
#include <vector>

namespace media {

BaseFilter::BaseFilter(const CLSID& clsid) : clsid_(clsid) {
    InitializeCriticalSection(&lock_);
}

BaseFilter::~BaseFilter() {
    DeleteCriticalSection(&lock_);
}

STDMETHODIMP BaseFilter::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPersist || iid == IID_IMediaFilter || iid == IID_IBaseFilter) {
        *out = static_cast<IBaseFilter*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return QueryExtraInterface(iid, out);
}

STDMETHODIMP_(ULONG) BaseFilter::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) BaseFilter::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP BaseFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

STDMETHODIMP BaseFilter::Stop() {
    EnterCriticalSection(&lock_);
    const FILTER_STATE old = state_;
    state_ = State_Stopped;
    LeaveCriticalSection(&lock_);
    // Pins stop outside the filter lock: a streaming thread may need it to finish its sample.
    if (old != State_Stopped) {
        for (int i = 0; i < PinCount(); ++i) PinAt(i)->Inactive();
    }
    return S_OK;
}

STDMETHODIMP BaseFilter::Pause() {
    EnterCriticalSection(&lock_);
    const FILTER_STATE old = state_;
    HRESULT hr = S_OK;
    if (old == State_Stopped) {
        for (int i = 0; i < PinCount() && SUCCEEDED(hr); ++i) hr = PinAt(i)->Active();
        if (FAILED(hr)) {
            LeaveCriticalSection(&lock_);
            for (int i = 0; i < PinCount(); ++i) PinAt(i)->Inactive();
            return hr;
        }
    } else if (old == State_Running) {
        for (int i = 0; i < PinCount(); ++i) PinAt(i)->PauseFromRun();
    }
    state_ = State_Paused;
    LeaveCriticalSection(&lock_);
    return S_OK;
}

STDMETHODIMP BaseFilter::Run(REFERENCE_TIME start) {
    EnterCriticalSection(&lock_);
    if (state_ == State_Stopped) {
        LeaveCriticalSection(&lock_);
        const HRESULT hr = Pause();
        if (FAILED(hr)) return hr;
        EnterCriticalSection(&lock_);
    }
    start_ = start;
    HRESULT hr = S_OK;
    if (state_ != State_Running) {
        for (int i = 0; i < PinCount() && SUCCEEDED(hr); ++i) hr = PinAt(i)->Run(start);
        if (SUCCEEDED(hr)) state_ = State_Running;
    }
    LeaveCriticalSection(&lock_);
    return hr;
}

STDMETHODIMP BaseFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = state_;
    return S_OK;
}

STDMETHODIMP BaseFilter::SetSyncSource(IReferenceClock* clock) {
    EnterCriticalSection(&lock_);
    clock_ = ComPtr<IReferenceClock>(clock);
    LeaveCriticalSection(&lock_);
    return S_OK;
}

STDMETHODIMP BaseFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    EnterCriticalSection(&lock_);
    *clock = clock_.Get();
    if (*clock) (*clock)->AddRef();
    LeaveCriticalSection(&lock_);
    return S_OK;
}

STDMETHODIMP BaseFilter::EnumPins(IEnumPins** out) {
    if (!out) return E_POINTER;
    std::vector<ComPtr<IPin>> pins;
    for (int i = 0; i < PinCount(); ++i) pins.emplace_back(static_cast<IPin*>(PinAt(i)));
    *out = new media::EnumPins(std::move(pins));
    return S_OK;
}

STDMETHODIMP BaseFilter::FindPin(LPCWSTR id, IPin** out) {
    if (!id || !out) return E_POINTER;
    for (int i = 0; i < PinCount(); ++i) {
        BasePin* pin = PinAt(i);
        if (pin->Name() == id) {
            *out = pin;
            pin->AddRef();
            return S_OK;
        }
    }
    *out = nullptr;
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP BaseFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    EnterCriticalSection(&lock_);
    lstrcpynW(info->achName, name_.c_str(), MAX_FILTER_NAME);
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    LeaveCriticalSection(&lock_);
    return S_OK;
}

STDMETHODIMP BaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    EnterCriticalSection(&lock_);
    graph_ = graph;
    name_ = name ? name : L"";
    LeaveCriticalSection(&lock_);
    return S_OK;
}

STDMETHODIMP BaseFilter::QueryVendorInfo(LPWSTR* info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT BaseFilter::NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2) {
    EnterCriticalSection(&lock_);
    ComPtr<IMediaEventSink> sink;
    if (graph_) graph_->QueryInterface(IID_IMediaEventSink, sink.AsOut());
    LeaveCriticalSection(&lock_);
    if (!sink) return E_UNEXPECTED;
    return sink->Notify(code, param1, param2);
}

}  // namespace media
