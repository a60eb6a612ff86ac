#include "media/InputPin.h"

#include "media/BaseFilter.h"
#include "media/MemAllocator.h"

namespace media {

InputPin::InputPin(BaseFilter* filter, const wchar_t* name) : BasePin(filter, name, PINDIR_INPUT) {}

HRESULT InputPin::QueryExtraInterface(REFIID iid, void** out) {
    if (iid == IID_IMemInputPin) {
        *out = static_cast<IMemInputPin*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP InputPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) {
    if (!connector || !type) return E_POINTER;
    EnterCriticalSection(Lock());
    HRESULT hr = S_OK;
    if (peer_) {
        hr = VFW_E_ALREADY_CONNECTED;
    } else if (filter_->State() != State_Stopped) {
        hr = VFW_E_NOT_STOPPED;
    } else if (CheckMediaType(*type) != S_OK) {
        hr = VFW_E_TYPE_NOT_ACCEPTED;
    } else {
        peer_ = ComPtr<IPin>(connector);
        hr = SetMediaType(*type);
        if (SUCCEEDED(hr)) hr = CompleteConnect(connector);
        if (FAILED(hr)) {
            BreakConnect();
            ResetConnection();
        }
    }
    LeaveCriticalSection(Lock());
    return hr;
}

void InputPin::BreakConnect() {
    allocator_ = nullptr;
    readOnly_ = false;
}

STDMETHODIMP InputPin::BeginFlush() {
    flushing_ = true;
    return S_OK;
}

STDMETHODIMP InputPin::EndFlush() {
    flushing_ = false;
    return S_OK;
}

STDMETHODIMP InputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    segmentStart_ = start;
    segmentStop_ = stop;
    segmentRate_ = rate;
    return S_OK;
}

STDMETHODIMP InputPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    EnterCriticalSection(Lock());
    if (!allocator_) allocator_ = ComPtr<IMemAllocator>::Adopt(MemAllocator::Create());
    *allocator = allocator_.Get();
    (*allocator)->AddRef();
    LeaveCriticalSection(Lock());
    return S_OK;
}

STDMETHODIMP InputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    if (!allocator) return E_POINTER;
    EnterCriticalSection(Lock());
    allocator_ = ComPtr<IMemAllocator>(allocator);
    readOnly_ = readOnly != FALSE;
    LeaveCriticalSection(Lock());
    return S_OK;
}

HRESULT InputPin::CheckStreaming() {
    if (filter_->State() == State_Stopped) return VFW_E_WRONG_STATE;
    if (flushing_) return S_FALSE;
    return S_OK;
}

STDMETHODIMP InputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    return CheckStreaming();
}

STDMETHODIMP InputPin::ReceiveMultiple(IMediaSample** samples, long count, long* processed) {
    if (!samples || !processed) return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    while (*processed < count && (hr = Receive(samples[*processed])) == S_OK) ++*processed;
    return hr;
}

}  // namespace media
