#include "media/ReadOnlySample.h"

#include <new>

namespace media {
namespace {
// {5C1E7A2B-4F0D-4B8E-9A61-3D2C8E71B04F}: asked of a sample, answers only for our wrapper.
constexpr IID kIidReadOnlySample = {
    0x5C1E7A2B, 0x4F0D, 0x4B8E, {0x9A, 0x61, 0x3D, 0x2C, 0x8E, 0x71, 0xB0, 0x4F}};
}  // namespace

IMediaSample* ReadOnlySample::Wrap(IMediaSample* inner) {
    if (!inner) return nullptr;
    return new (std::nothrow) ReadOnlySample(inner);
}

bool ReadOnlySample::Is(IMediaSample* sample) {
    void* self = nullptr;
    if (!sample || FAILED(sample->QueryInterface(kIidReadOnlySample, &self)) || !self) return false;
    static_cast<IMediaSample*>(self)->Release();
    return true;
}

STDMETHODIMP ReadOnlySample::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMediaSample || iid == kIidReadOnlySample) {
        *out = static_cast<IMediaSample*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) ReadOnlySample::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) ReadOnlySample::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

}  // namespace media
