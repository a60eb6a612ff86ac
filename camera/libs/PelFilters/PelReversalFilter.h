// "Pel Reversal": digital zoom, flips and mosaic on every picture, in place.
// The window thread changes the settings through IPelReversal; the streaming thread copies them
// under the lock and works outside it, so a setter never waits for a picture.
#pragma once

#include "camera/libs/PelFilters/CriticalSection.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "camera/libs/PelFilters/VideoLayout.h"
#include "camera/libs/PelFilters/kernels/ReversalProcessor.h"
#include "media/InPlaceTransformFilter.h"

namespace pel {

class PelReversalFilter final : public media::InPlaceTransformFilter, public IPelReversal {
  public:
    PelReversalFilter();

    // IUnknown (one identity for both bases)
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPelReversal
    STDMETHODIMP SetSize(int width, int height) override;
    STDMETHODIMP SetReversalV(int on) override;
    STDMETHODIMP SetReversalH(int on) override;
    STDMETHODIMP SetMosaicWidth(int width) override;
    STDMETHODIMP SetZoom(int factor) override;

    void OnInputTypeSet(const AM_MEDIA_TYPE& type) override;
    HRESULT Transform(IMediaSample* sample) override;
    bool ChangesPictures() override;
    void PassedOn(IMediaSample* sample) override;

    // What the next picture gets, for tests and property display.
    ReversalSettings Settings();

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;

  private:
    CriticalSection lock_;  // guards layout_, settings_ and the size set
    VideoLayout layout_;
    ReversalSettings settings_;
    int setWidth_ = 0, setHeight_ = 0;

    ReversalProcessor processor_;  // streaming thread only
};

}  // namespace pel
