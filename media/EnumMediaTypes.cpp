#include "media/EnumMediaTypes.h"

#include "media/MediaType.h"

namespace media {

EnumMediaTypes::EnumMediaTypes(std::vector<std::shared_ptr<const MediaType>> types, size_t position)
    : types_(std::move(types)), position_(position) {}

STDMETHODIMP EnumMediaTypes::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumMediaTypes) {
        *out = static_cast<IEnumMediaTypes*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EnumMediaTypes::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) EnumMediaTypes::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP EnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
    if (!types) return E_POINTER;
    if (count > 1 && !fetched) return E_INVALIDARG;
    ULONG n = 0;
    while (n < count && position_ < types_.size()) {
        types[n] = CreateMediaType(types_[position_]->Get());
        if (!types[n]) break;
        ++n;
        ++position_;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP EnumMediaTypes::Skip(ULONG count) {
    if (position_ + count > types_.size()) {
        position_ = types_.size();
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

STDMETHODIMP EnumMediaTypes::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP EnumMediaTypes::Clone(IEnumMediaTypes** out) {
    if (!out) return E_POINTER;
    *out = new EnumMediaTypes(types_, position_);
    return S_OK;
}

}  // namespace media
