// "Pel Overlay": draws the photo frame and then the text over every picture, in place.
// The window thread sets frame and text through IPelFilter while the streaming thread transforms:
// new overlays are built and scaled outside the lock and swapped in whole.
#pragma once

#include <memory>

#include "camera/libs/PelFilters/CriticalSection.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "camera/libs/PelFilters/VideoLayout.h"
#include "camera/libs/PelFilters/kernels/FrameOverlay.h"
#include "camera/libs/PelFilters/kernels/TextOverlay.h"
#include "media/InPlaceTransformFilter.h"

namespace pel {

class PelOverlayFilter final : public media::InPlaceTransformFilter, public IPelFilter {
  public:
    // Frames and masks larger than this on either side are refused.
    static constexpr int kMaxSide = 8192;

    PelOverlayFilter();

    // IUnknown (one identity for both bases)
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPelFilter
    STDMETHODIMP SetFrame(const BYTE* pixels, int width, int height) override;
    STDMETHODIMP GetSize(int* width, int* height) override;
    STDMETHODIMP SetSize(int width, int height) override;
    STDMETHODIMP SetText(const BYTE* mask, int width, int height, COLORREF colour) override;

    void OnInputTypeSet(const AM_MEDIA_TYPE& type) override;
    HRESULT Transform(IMediaSample* sample) override;
    bool ChangesPictures() override;
    void PassedOn(IMediaSample* sample) override;

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;

  private:
    // The picture size new frames are scaled for: the connected video's, else the size set.
    void PreparationSize(int& width, int& height);

    CriticalSection lock_;  // guards everything below
    VideoLayout layout_;
    int setWidth_ = 0, setHeight_ = 0;
    std::unique_ptr<FrameOverlay> frame_;
    std::unique_ptr<TextOverlay> text_;
};

}  // namespace pel
