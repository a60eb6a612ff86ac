// A class factory for our filters, and the DllGetClassObject lookup over a table of classes.
#pragma once

#include "media/DShow.h"
#include "media/ModuleLock.h"

#include <new>

namespace media {

// Creates one object and queries iid on it (aggregation is not supported).
using CreateInstanceFn = HRESULT (*)(REFIID iid, void** out);

struct ClassEntry {
    const CLSID* clsid;
    CreateInstanceFn create;
};

class ClassFactory final : public IClassFactory {
  public:
    // Starts with one reference, owned by the caller.
    explicit ClassFactory(CreateInstanceFn create) : create_(create) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

  private:
    ModuleObject moduleObject_;
    volatile LONG refs_ = 1;
    CreateInstanceFn create_;
};

// The body of DllGetClassObject for a table of classes.
HRESULT GetClassObject(const ClassEntry* table, size_t count, REFCLSID clsid, REFIID iid, void** out);

// Creates an object with new, hands out iid and drops the creation reference: for the tables.
template <typename T>
HRESULT CreateObject(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    T* object = new (std::nothrow) T();
    if (!object) return E_OUTOFMEMORY;
    object->AddRef();
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

}  // namespace media
