// IEnumPins over a snapshot of a filter's pins.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"
#include "media/ModuleLock.h"

#include <vector>

namespace media {

class EnumPins final : public IEnumPins {
  public:
    // Starts with one reference, owned by the caller.
    explicit EnumPins(std::vector<ComPtr<IPin>> pins, size_t position = 0);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** out) override;

  private:
    ModuleObject moduleObject_;
    volatile LONG refs_ = 1;
    std::vector<ComPtr<IPin>> pins_;
    size_t position_;
};

}  // namespace media
