#include "media/TransformOutputPin.h"

#include "media/InPlaceTransformFilter.h"

#include <cstdlib>

namespace media {

TransformOutputPin::TransformOutputPin(InPlaceTransformFilter* filter, const wchar_t* name)
    : OutputPin(filter, name), transform_(filter) {}

HRESULT TransformOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    const TransformInputPin& input = transform_->Input();
    if (!input.IsConnected()) return S_FALSE;
    const AM_MEDIA_TYPE& in = input.ConnectionType();
    if (type.majortype != in.majortype || type.subtype != in.subtype || type.formattype != in.formattype)
        return S_FALSE;
    // The same picture: a downstream pin may describe it with other rectangles or rates.
    const VIDEOINFOHEADER* a = Rgb24VideoHeader(type);
    const VIDEOINFOHEADER* b = Rgb24VideoHeader(in);
    if (a && b) {
        const bool same =
            a->bmiHeader.biWidth == b->bmiHeader.biWidth && a->bmiHeader.biHeight == b->bmiHeader.biHeight;
        return same ? S_OK : S_FALSE;
    }
    return MediaTypesEqual(type, in) ? S_OK : S_FALSE;
}

HRESULT TransformOutputPin::GetMediaType(int position, AM_MEDIA_TYPE& type) {
    const TransformInputPin& input = transform_->Input();
    if (position != 0 || !input.IsConnected()) return VFW_S_NO_MORE_ITEMS;
    return CopyMediaType(type, input.ConnectionType());
}

bool TransformOutputPin::SharesInputAllocator() const {
    return allocator_ && allocator_.Get() == transform_->Input().Allocator();
}

HRESULT TransformOutputPin::DecideAllocator(IMemInputPin* input, ComPtr<IMemAllocator>& chosen) {
    // Read-only upstream buffers cannot be changed in place: the output then needs buffers of its
    // own to copy into.
    const TransformInputPin& in = transform_->Input();
    IMemAllocator* upstream = in.Allocator();
    if (upstream && !in.ReadOnly() && SUCCEEDED(input->NotifyAllocator(upstream, FALSE))) {
        chosen = ComPtr<IMemAllocator>(upstream);
        return S_OK;
    }
    return OutputPin::DecideAllocator(input, chosen);
}

void TransformOutputPin::InputAllocatorChanged(IMemAllocator* allocator, bool readOnly) {
    if (!input_) return;
    if (!readOnly) {
        if (allocator_.Get() != allocator && SUCCEEDED(input_->NotifyAllocator(allocator, FALSE)))
            allocator_ = ComPtr<IMemAllocator>(allocator);
        return;
    }
    if (allocator_ && allocator_.Get() != allocator) return;  // already copying into our own buffers
    ComPtr<IMemAllocator> own;
    if (SUCCEEDED(OutputPin::DecideAllocator(input_.Get(), own)))
        allocator_ = std::move(own);
    else
        OutputDebugStringW(L"media: no writable allocator behind a read-only upstream\n");
}

HRESULT TransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
    const TransformInputPin& input = transform_->Input();
    long size = static_cast<long>(input.ConnectionType().lSampleSize);
    if (const VIDEOINFOHEADER* vih = Rgb24VideoHeader(input.ConnectionType()))
        size = Rgb24Stride(vih->bmiHeader.biWidth) * std::abs(vih->bmiHeader.biHeight);
    ALLOCATOR_PROPERTIES upstream{};
    if (input.Allocator() && SUCCEEDED(input.Allocator()->GetProperties(&upstream)) &&
        upstream.cbBuffer > size)
        size = upstream.cbBuffer;
    if (request.cBuffers < 2) request.cBuffers = 2;
    if (request.cbBuffer < size) request.cbBuffer = size;
    if (request.cbAlign < 1) request.cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(&request, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer >= size ? S_OK : E_FAIL;
}

// The shared allocator belongs to the upstream connection: its owner commits and decommits it.
HRESULT TransformOutputPin::Active() {
    return SharesInputAllocator() ? S_OK : OutputPin::Active();
}

void TransformOutputPin::Inactive() {
    if (!SharesInputAllocator()) OutputPin::Inactive();
}

}  // namespace media
