#include "camera/libs/PelFilters/PelOverlayFilter.h"

#include <new>
#include <utility>

namespace pel {

PelOverlayFilter::PelOverlayFilter() : InPlaceTransformFilter(CLSID_PelOverlay) {}

STDMETHODIMP PelOverlayFilter::QueryInterface(REFIID iid, void** out) {
    return BaseFilter::QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) PelOverlayFilter::AddRef() {
    return BaseFilter::AddRef();
}

STDMETHODIMP_(ULONG) PelOverlayFilter::Release() {
    return BaseFilter::Release();
}

HRESULT PelOverlayFilter::QueryExtraInterface(REFIID iid, void** out) {
    if (iid != IID_IPelFilter) return E_NOINTERFACE;
    *out = static_cast<IPelFilter*>(this);
    AddRef();
    return S_OK;
}

void PelOverlayFilter::PreparationSize(int& width, int& height) {
    Locked locked(lock_);
    width = layout_.Known() ? layout_.width : setWidth_;
    height = layout_.Known() ? layout_.height : setHeight_;
}

STDMETHODIMP PelOverlayFilter::SetFrame(const BYTE* pixels, int width, int height) {
    std::unique_ptr<FrameOverlay> next;
    if (pixels && width > 0 && height > 0) {
        if (width > kMaxSide || height > kMaxSide) return E_INVALIDARG;
        int videoWidth = 0, videoHeight = 0;
        PreparationSize(videoWidth, videoHeight);
        try {
            next = std::make_unique<FrameOverlay>();
            next->SetFrame(pixels, width, height);
            next->PrepareFor(videoWidth, videoHeight);
        } catch (const std::bad_alloc&) {
            OutputDebugStringW(L"Pel Overlay: no memory for the photo frame (E_OUTOFMEMORY)\n");
            return E_OUTOFMEMORY;
        }
    }
    {
        Locked locked(lock_);
        frame_.swap(next);
    }
    return S_OK;  // the old frame goes here, outside the lock
}

STDMETHODIMP PelOverlayFilter::SetText(const BYTE* mask, int width, int height, COLORREF colour) {
    std::unique_ptr<TextOverlay> next;
    if (mask && width > 0 && height > 0) {
        if (width > kMaxSide || height > kMaxSide) return E_INVALIDARG;
        try {
            next = std::make_unique<TextOverlay>();
            next->SetText(mask, width, height, colour);
        } catch (const std::bad_alloc&) {
            OutputDebugStringW(L"Pel Overlay: no memory for the text mask (E_OUTOFMEMORY)\n");
            return E_OUTOFMEMORY;
        }
    }
    {
        Locked locked(lock_);
        text_.swap(next);
    }
    return S_OK;
}

STDMETHODIMP PelOverlayFilter::GetSize(int* width, int* height) {
    if (!width || !height) return E_POINTER;
    PreparationSize(*width, *height);
    return S_OK;
}

STDMETHODIMP PelOverlayFilter::SetSize(int width, int height) {
    if (width < 0 || height < 0) return E_INVALIDARG;
    Locked locked(lock_);
    setWidth_ = width;
    setHeight_ = height;
    return S_OK;
}

void PelOverlayFilter::OnInputTypeSet(const AM_MEDIA_TYPE& type) {
    Locked locked(lock_);
    layout_ = VideoLayout::FromType(type);
}

bool PelOverlayFilter::ChangesPictures() {
    Locked locked(lock_);
    return frame_ || text_;
}

void PelOverlayFilter::PassedOn(IMediaSample* sample) {
    Locked locked(lock_);
    layout_ = VideoLayout::AfterSample(sample, layout_);
}

HRESULT PelOverlayFilter::Transform(IMediaSample* sample) {
    Locked locked(lock_);
    layout_ = VideoLayout::AfterSample(sample, layout_);
    const Rgb24Frame frame = layout_.FrameIn(sample);
    if (!frame.Valid()) return S_OK;  // not a whole picture: it goes on untouched
    try {
        if (frame_) frame_->Apply(frame);
        if (text_) text_->Apply(frame);
    } catch (const std::bad_alloc&) {
        // Scaling the frame to a new picture size found no memory: this picture goes on as it is.
    }
    return S_OK;
}

}  // namespace pel
