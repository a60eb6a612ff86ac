// IEnumMediaTypes over a snapshot of the types a pin offers.
#pragma once

#include "media/DShow.h"
#include "media/ModuleLock.h"

#include <memory>
#include <vector>

namespace media {

class MediaType;

class EnumMediaTypes final : public IEnumMediaTypes {
  public:
    // Starts with one reference, owned by the caller.
    EnumMediaTypes(std::vector<std::shared_ptr<const MediaType>> types, size_t position = 0);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** out) override;

  private:
    ModuleObject moduleObject_;
    volatile LONG refs_ = 1;
    std::vector<std::shared_ptr<const MediaType>> types_;
    size_t position_;
};

}  // namespace media
