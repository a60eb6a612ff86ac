#include "devices/testcam/DeviceFilter.h"

namespace testcam {

STDMETHODIMP DeviceFilter::Load(IPropertyBag* bag, IErrorLog* log) {
    if (!bag) return E_POINTER;
    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = nullptr;  // VariantInit leaves it undefined and a failed Read may not touch it
    bool other = false;
    if (SUCCEEDED(bag->Read(L"FriendlyName", &name, log)) && name.vt == VT_BSTR && name.bstrVal)
        other = deviceName_ != name.bstrVal;
    VariantClear(&name);
    return other ? E_INVALIDARG : S_OK;
}

HRESULT DeviceFilter::QueryExtraInterface(REFIID iid, void** out) {
    if (iid != IID_IPersistPropertyBag) return LiveSourceFilter::QueryExtraInterface(iid, out);
    *out = static_cast<IPersistPropertyBag*>(this);
    AddRef();
    return S_OK;
}

}  // namespace testcam
