#include "media/TransformInputPin.h"

#include "media/InPlaceTransformFilter.h"
#include "media/ReadOnlySample.h"

#include <cstring>

namespace media {

TransformInputPin::TransformInputPin(InPlaceTransformFilter* filter, const wchar_t* name)
    : InputPin(filter, name), transform_(filter) {}

HRESULT TransformInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    HRESULT hr = transform_->CheckInputType(type);
    if (hr != S_OK) return S_FALSE;
    // Once the output is connected, the new type must also suit the pin downstream.
    IPin* downstream = transform_->Output().Peer();
    if (downstream && downstream->QueryAccept(&type) != S_OK) return S_FALSE;
    return S_OK;
}

HRESULT TransformInputPin::SetMediaType(const AM_MEDIA_TYPE& type) {
    const HRESULT hr = InputPin::SetMediaType(type);
    if (SUCCEEDED(hr)) transform_->OnInputTypeSet(type);
    return hr;
}

HRESULT TransformInputPin::CompleteConnect(IPin* peer) {
    TransformOutputPin& output = transform_->Output();
    if (output.IsConnected() && !MediaTypesEqual(output.ConnectionType(), ConnectionType())) {
        // The output carries the old type: connect it again with the new one.
        if (IFilterGraph* graph = transform_->Graph()) return graph->Reconnect(&output);
    }
    return S_OK;
}

STDMETHODIMP TransformInputPin::GetAllocator(IMemAllocator** allocator) {
    if (!allocator) return E_POINTER;
    // With the output connected, upstream may as well fill the downstream allocator's buffers.
    EnterCriticalSection(Lock());
    IMemAllocator* downstream =
        transform_->Output().IsConnected() ? transform_->Output().Allocator() : nullptr;
    if (downstream) {
        *allocator = downstream;
        downstream->AddRef();
    }
    LeaveCriticalSection(Lock());
    return downstream ? S_OK : InputPin::GetAllocator(allocator);
}

STDMETHODIMP TransformInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
    const HRESULT hr = InputPin::NotifyAllocator(allocator, readOnly);
    if (SUCCEEDED(hr)) transform_->Output().InputAllocatorChanged(allocator, readOnly != FALSE);
    return hr;
}

STDMETHODIMP TransformInputPin::ReceiveCanBlock() {
    IMemInputPin* downstream = transform_->Output().PeerInput();
    return downstream ? downstream->ReceiveCanBlock() : S_FALSE;
}

HRESULT TransformInputPin::CopySample(IMediaSample* source, IMediaSample** copy) {
    ComPtr<IMediaSample> out;
    HRESULT hr = transform_->Output().GetDeliveryBuffer(&out);
    if (FAILED(hr)) return hr;
    BYTE* from = nullptr;
    BYTE* to = nullptr;
    source->GetPointer(&from);
    out->GetPointer(&to);
    const long length = source->GetActualDataLength();
    if (!from || !to || length > out->GetSize()) return VFW_E_BUFFER_OVERFLOW;
    std::memcpy(to, from, static_cast<size_t>(length));
    out->SetActualDataLength(length);
    REFERENCE_TIME start = 0, stop = 0;
    hr = source->GetTime(&start, &stop);
    if (hr == S_OK)
        out->SetTime(&start, &stop);
    else if (hr == VFW_S_NO_STOP_TIME)
        out->SetTime(&start, nullptr);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (source->GetMediaTime(&mediaStart, &mediaStop) == S_OK) out->SetMediaTime(&mediaStart, &mediaStop);
    out->SetSyncPoint(source->IsSyncPoint() == S_OK);
    out->SetDiscontinuity(source->IsDiscontinuity() == S_OK);
    out->SetPreroll(source->IsPreroll() == S_OK);
    AM_MEDIA_TYPE* type = nullptr;
    if (source->GetMediaType(&type) == S_OK) {
        out->SetMediaType(type);
        DeleteMediaType(type);
    }
    *copy = out.Detach();
    return S_OK;
}

STDMETHODIMP TransformInputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    TransformOutputPin& output = transform_->Output();
    if (!output.IsConnected()) return S_OK;  // nothing downstream: the sample ends here
    // Behind a read-only upstream every sample is treated as read-only anyway; asking a foreign
    // sample for our wrapper's interface would only cost a refusal (a logged one under Wine).
    const bool wrapped = !ReadOnly() && ReadOnlySample::Is(sample);
    if (!transform_->ChangesPictures()) {
        transform_->PassedOn(sample);
        if (!ReadOnly() || wrapped) return output.Deliver(sample);
        const auto passed = ComPtr<IMediaSample>::Adopt(ReadOnlySample::Wrap(sample));
        return passed ? output.Deliver(passed.Get()) : E_OUTOFMEMORY;
    }
    ComPtr<IMediaSample> work(sample);
    if (!output.SharesInputAllocator() || ReadOnly() || wrapped) {
        // Copied into the output allocator's buffer (never the upstream one: that could wait for
        // the very buffer this sample holds; a wrapped sample holds a buffer from further up).
        if (output.SharesInputAllocator() && !wrapped) return S_OK;
        if (FAILED(hr = CopySample(sample, &work))) return hr;
    }
    if (FAILED(transform_->Transform(work.Get()))) return S_OK;  // dropped, the stream goes on
    return output.Deliver(work.Get());
}

STDMETHODIMP TransformInputPin::EndOfStream() {
    IPin* downstream = transform_->Output().Peer();
    return downstream ? downstream->EndOfStream() : S_OK;
}

STDMETHODIMP TransformInputPin::BeginFlush() {
    InputPin::BeginFlush();
    IPin* downstream = transform_->Output().Peer();
    return downstream ? downstream->BeginFlush() : S_OK;
}

STDMETHODIMP TransformInputPin::EndFlush() {
    InputPin::EndFlush();
    IPin* downstream = transform_->Output().Peer();
    return downstream ? downstream->EndFlush() : S_OK;
}

STDMETHODIMP TransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    InputPin::NewSegment(start, stop, rate);
    IPin* downstream = transform_->Output().Peer();
    return downstream ? downstream->NewSegment(start, stop, rate) : S_OK;
}

}  // namespace media
