#include "camera/libs/PelFilters/PelReversalFilter.h"

#include <algorithm>
#include <new>

#include "camera/libs/PelFilters/kernels/Mosaic.h"

namespace pel {

PelReversalFilter::PelReversalFilter() : InPlaceTransformFilter(CLSID_PelReversal) {}

STDMETHODIMP PelReversalFilter::QueryInterface(REFIID iid, void** out) {
    return BaseFilter::QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) PelReversalFilter::AddRef() {
    return BaseFilter::AddRef();
}

STDMETHODIMP_(ULONG) PelReversalFilter::Release() {
    return BaseFilter::Release();
}

HRESULT PelReversalFilter::QueryExtraInterface(REFIID iid, void** out) {
    if (iid != IID_IPelReversal) return E_NOINTERFACE;
    *out = static_cast<IPelReversal*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP PelReversalFilter::SetSize(int width, int height) {
    if (width < 0 || height < 0) return E_INVALIDARG;
    Locked locked(lock_);
    setWidth_ = width;
    setHeight_ = height;
    return S_OK;
}

STDMETHODIMP PelReversalFilter::SetReversalV(int on) {
    Locked locked(lock_);
    settings_.vertical = on != 0;
    return S_OK;
}

STDMETHODIMP PelReversalFilter::SetReversalH(int on) {
    Locked locked(lock_);
    settings_.horizontal = on != 0;
    return S_OK;
}

STDMETHODIMP PelReversalFilter::SetMosaicWidth(int width) {
    Locked locked(lock_);
    settings_.mosaicWidth = std::clamp(width, 0, kMaxMosaicWidth);
    return S_OK;
}

STDMETHODIMP PelReversalFilter::SetZoom(int factor) {
    Locked locked(lock_);
    settings_.zoom = std::clamp(factor, 1, DigitalZoom::kMaxFactor);
    return S_OK;
}

ReversalSettings PelReversalFilter::Settings() {
    Locked locked(lock_);
    return settings_;
}

void PelReversalFilter::OnInputTypeSet(const AM_MEDIA_TYPE& type) {
    Locked locked(lock_);
    layout_ = VideoLayout::FromType(type);
}

bool PelReversalFilter::ChangesPictures() {
    Locked locked(lock_);
    return settings_.ChangesPictures();
}

void PelReversalFilter::PassedOn(IMediaSample* sample) {
    Locked locked(lock_);
    layout_ = VideoLayout::AfterSample(sample, layout_);
}

HRESULT PelReversalFilter::Transform(IMediaSample* sample) {
    VideoLayout layout;
    ReversalSettings settings;
    {
        Locked locked(lock_);
        layout_ = VideoLayout::AfterSample(sample, layout_);
        layout = layout_;
        settings = settings_;
    }
    const Rgb24Frame frame = layout.FrameIn(sample);
    if (!frame.Valid()) return S_OK;  // not a whole picture: it goes on untouched
    try {
        processor_.Process(frame, settings);
    } catch (const std::bad_alloc&) {
        // The zoom's tables for a new picture size found no memory: this picture goes on as it is.
    }
    return S_OK;
}

}  // namespace pel
