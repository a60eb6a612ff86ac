#include "media/OutputPin.h"

#include "media/BaseFilter.h"
#include "media/MemAllocator.h"

namespace media {

OutputPin::OutputPin(BaseFilter* filter, const wchar_t* name) : BasePin(filter, name, PINDIR_OUTPUT) {}

STDMETHODIMP OutputPin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) {
    return E_UNEXPECTED;
}

HRESULT OutputPin::TryConnect(IPin* receivePin, const AM_MEDIA_TYPE& type) {
    if (CheckMediaType(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    peer_ = ComPtr<IPin>(receivePin);
    HRESULT hr = SetMediaType(type);
    if (SUCCEEDED(hr)) hr = receivePin->ReceiveConnection(this, &type);
    if (FAILED(hr)) {
        ResetConnection();
        return hr;
    }
    hr = CompleteConnect(receivePin);
    if (FAILED(hr)) {
        receivePin->Disconnect();
        BreakConnect();
        ResetConnection();
    }
    return hr;
}

STDMETHODIMP OutputPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) {
    if (!receivePin) return E_POINTER;
    EnterCriticalSection(Lock());
    HRESULT hr = VFW_E_NO_ACCEPTABLE_TYPES;
    if (peer_) {
        hr = VFW_E_ALREADY_CONNECTED;
    } else if (filter_->State() != State_Stopped) {
        hr = VFW_E_NOT_STOPPED;
    } else if (type && type->majortype != GUID_NULL && type->subtype != GUID_NULL &&
               type->formattype != GUID_NULL && type->pbFormat) {
        hr = TryConnect(receivePin, *type);  // a complete type: that one or nothing
    } else {
        // Our own types first, then the ones the receiving pin proposes.
        bool done = false;
        for (int i = 0; !done; ++i) {
            MediaType mt;
            if (GetMediaType(i, mt.Get()) != S_OK) break;
            if (!MediaTypeMatchesPartial(mt.Get(), type)) continue;
            done = SUCCEEDED(hr = TryConnect(receivePin, mt.Get()));
        }
        ComPtr<IEnumMediaTypes> types;
        if (!done && SUCCEEDED(receivePin->EnumMediaTypes(&types))) {
            AM_MEDIA_TYPE* mt = nullptr;
            while (!done && types->Next(1, &mt, nullptr) == S_OK) {
                if (MediaTypeMatchesPartial(*mt, type)) done = SUCCEEDED(hr = TryConnect(receivePin, *mt));
                DeleteMediaType(mt);
            }
        }
        if (!done && SUCCEEDED(hr)) hr = VFW_E_NO_ACCEPTABLE_TYPES;
    }
    LeaveCriticalSection(Lock());
    return hr;
}

HRESULT OutputPin::CompleteConnect(IPin* peer) {
    ComPtr<IMemInputPin> input;
    HRESULT hr = peer->QueryInterface(IID_IMemInputPin, input.AsOut());
    if (FAILED(hr)) return VFW_E_NO_TRANSPORT;
    ComPtr<IMemAllocator> allocator;
    hr = DecideAllocator(input.Get(), allocator);
    if (FAILED(hr)) return hr;
    input_ = std::move(input);
    allocator_ = std::move(allocator);
    return S_OK;
}

HRESULT OutputPin::DecideAllocator(IMemInputPin* input, ComPtr<IMemAllocator>& chosen) {
    ALLOCATOR_PROPERTIES request{};
    input->GetAllocatorRequirements(&request);  // optional: zeros mean "no wish"
    ComPtr<IMemAllocator> allocator;
    if (SUCCEEDED(input->GetAllocator(&allocator))) {
        ALLOCATOR_PROPERTIES wish = request;
        if (SUCCEEDED(DecideBufferSize(allocator.Get(), wish)) &&
            SUCCEEDED(input->NotifyAllocator(allocator.Get(), FALSE))) {
            chosen = std::move(allocator);
            return S_OK;
        }
    }
    allocator = ComPtr<IMemAllocator>::Adopt(MemAllocator::Create());
    HRESULT hr = DecideBufferSize(allocator.Get(), request);
    if (SUCCEEDED(hr)) hr = input->NotifyAllocator(allocator.Get(), FALSE);
    if (FAILED(hr)) return hr;
    chosen = std::move(allocator);
    return S_OK;
}

void OutputPin::BreakConnect() {
    if (allocator_) allocator_->Decommit();
    allocator_ = nullptr;
    input_ = nullptr;
}

HRESULT OutputPin::Active() {
    return allocator_ ? allocator_->Commit() : S_OK;
}

void OutputPin::Inactive() {
    if (allocator_) allocator_->Decommit();
}

HRESULT OutputPin::GetDeliveryBuffer(IMediaSample** sample) {
    if (!allocator_) return VFW_E_NO_ALLOCATOR;
    return allocator_->GetBuffer(sample, nullptr, nullptr, 0);
}

HRESULT OutputPin::Deliver(IMediaSample* sample) {
    if (!input_) return VFW_E_NOT_CONNECTED;
    return input_->Receive(sample);
}

HRESULT OutputPin::DeliverEndOfStream() {
    return peer_ ? peer_->EndOfStream() : VFW_E_NOT_CONNECTED;
}
HRESULT OutputPin::DeliverBeginFlush() {
    return peer_ ? peer_->BeginFlush() : VFW_E_NOT_CONNECTED;
}
HRESULT OutputPin::DeliverEndFlush() {
    return peer_ ? peer_->EndFlush() : VFW_E_NOT_CONNECTED;
}
HRESULT OutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return peer_ ? peer_->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

}  // namespace media
