#include "media/EnumPins.h"

namespace media {

EnumPins::EnumPins(std::vector<ComPtr<IPin>> pins, size_t position)
    : pins_(std::move(pins)), position_(position) {}

STDMETHODIMP EnumPins::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumPins) {
        *out = static_cast<IEnumPins*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EnumPins::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) EnumPins::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP EnumPins::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (!pins) return E_POINTER;
    if (count > 1 && !fetched) return E_INVALIDARG;
    ULONG n = 0;
    while (n < count && position_ < pins_.size()) {
        pins[n] = pins_[position_].Get();
        pins[n]->AddRef();
        ++n;
        ++position_;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP EnumPins::Skip(ULONG count) {
    if (position_ + count > pins_.size()) {
        position_ = pins_.size();
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

STDMETHODIMP EnumPins::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP EnumPins::Clone(IEnumPins** out) {
    if (!out) return E_POINTER;
    *out = new EnumPins(pins_, position_);
    return S_OK;
}

}  // namespace media
