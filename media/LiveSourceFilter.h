// Base of live sources: reports VFW_S_CANT_CUE while paused with a pin connected (a live source
// has nothing to cue) and tells the graph it is a source (IAMFilterMiscFlags).
#pragma once

#include "media/BaseFilter.h"

namespace media {

class LiveSourceFilter : public BaseFilter, public IAMFilterMiscFlags {
  public:
    explicit LiveSourceFilter(const CLSID& clsid) : BaseFilter(clsid) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return BaseFilter::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return BaseFilter::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BaseFilter::Release(); }

    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_SOURCE; }

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;
};

}  // namespace media
