// Base of the test devices' filters: a live source that a device moniker sets up through
// IPersistPropertyBag, as capture drivers are.
#pragma once

#include "media/LiveSourceFilter.h"

#include <string>

namespace testcam {

class DeviceFilter : public media::LiveSourceFilter, public IPersistPropertyBag {
  public:
    DeviceFilter(const CLSID& clsid, const wchar_t* deviceName)
        : LiveSourceFilter(clsid), deviceName_(deviceName) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return BaseFilter::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return BaseFilter::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BaseFilter::Release(); }
    STDMETHODIMP GetClassID(CLSID* clsid) override { return BaseFilter::GetClassID(clsid); }

    // IPersistPropertyBag: Load refuses an entry named for another device (E_INVALIDARG); an
    // entry without a name is taken. Nothing is saved.
    STDMETHODIMP InitNew() override { return S_OK; }
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag*, BOOL, BOOL) override { return E_NOTIMPL; }

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;

  private:
    std::wstring deviceName_;
};

}  // namespace testcam
