#include "media/MediaSample.h"

#include "media/MediaType.h"
#include "media/MemAllocator.h"

namespace media {

MediaSample::MediaSample(MemAllocator* owner, BYTE* buffer, long size)
    : owner_(owner), buffer_(buffer), size_(size) {}

void MediaSample::Reset() {
    refs_ = 1;
    actual_ = size_;
    hasTime_ = hasStop_ = hasMediaTime_ = false;
    syncPoint_ = preroll_ = discontinuity_ = false;
    ClearMediaType();
}

void MediaSample::ClearMediaType() {
    DeleteMediaType(type_);
    type_ = nullptr;
}

STDMETHODIMP MediaSample::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMediaSample) {
        *out = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MediaSample::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) MediaSample::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) owner_->ReturnSample(this);  // may free the allocator: touch nothing after this
    return left;
}

STDMETHODIMP MediaSample::GetPointer(BYTE** buffer) {
    if (!buffer) return E_POINTER;
    *buffer = buffer_;
    return S_OK;
}

STDMETHODIMP MediaSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) {
    if (!start || !end) return E_POINTER;
    if (!hasTime_) return VFW_E_SAMPLE_TIME_NOT_SET;
    *start = start_;
    if (!hasStop_) {
        *end = start_ + 1;
        return VFW_S_NO_STOP_TIME;
    }
    *end = stop_;
    return S_OK;
}

STDMETHODIMP MediaSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) {
    hasTime_ = start != nullptr;
    hasStop_ = start && end;
    if (start) start_ = *start;
    if (end) stop_ = *end;
    return S_OK;
}

STDMETHODIMP MediaSample::SetSyncPoint(BOOL value) {
    syncPoint_ = value != FALSE;
    return S_OK;
}

STDMETHODIMP MediaSample::SetPreroll(BOOL value) {
    preroll_ = value != FALSE;
    return S_OK;
}

STDMETHODIMP MediaSample::SetActualDataLength(long length) {
    if (length < 0 || length > size_) return VFW_E_BUFFER_OVERFLOW;
    actual_ = length;
    return S_OK;
}

STDMETHODIMP MediaSample::GetMediaType(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    *type = nullptr;
    if (!type_) return S_FALSE;
    *type = CreateMediaType(*type_);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP MediaSample::SetMediaType(AM_MEDIA_TYPE* type) {
    ClearMediaType();
    if (!type) return S_OK;
    type_ = CreateMediaType(*type);
    return type_ ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP MediaSample::SetDiscontinuity(BOOL value) {
    discontinuity_ = value != FALSE;
    return S_OK;
}

STDMETHODIMP MediaSample::GetMediaTime(LONGLONG* start, LONGLONG* end) {
    if (!start || !end) return E_POINTER;
    if (!hasMediaTime_) return VFW_E_MEDIA_TIME_NOT_SET;
    *start = mediaStart_;
    *end = mediaStop_;
    return S_OK;
}

STDMETHODIMP MediaSample::SetMediaTime(LONGLONG* start, LONGLONG* end) {
    hasMediaTime_ = start && end;
    if (hasMediaTime_) {
        mediaStart_ = *start;
        mediaStop_ = *end;
    }
    return S_OK;
}

}  // namespace media
