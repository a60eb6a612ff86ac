#include "media/DeviceMonikers.h"

namespace media {

void ForEachDevice(REFCLSID category, const std::function<bool(IMoniker*, const std::wstring&)>& visit) {
    ComPtr<ICreateDevEnum> devices;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.AsOut())))
        return;
    ComPtr<IEnumMoniker> monikers;
    // S_FALSE and no enumerator: the category is empty.
    if (devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers) return;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        std::wstring name;
        ComPtr<IPropertyBag> bag;
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()))) {
            VARIANT value;
            VariantInit(&value);
            if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR)
                name = value.bstrVal;
            VariantClear(&value);
        }
        if (!visit(moniker.Get(), name)) return;
    }
}

std::vector<std::wstring> DeviceNames(REFCLSID category) {
    std::vector<std::wstring> names;
    ForEachDevice(category, [&](IMoniker*, const std::wstring& name) {
        if (!name.empty()) names.push_back(name);
        return true;
    });
    return names;
}

ComPtr<IBaseFilter> BindDeviceByName(REFCLSID category, const wchar_t* wanted) {
    ComPtr<IBaseFilter> filter;
    ForEachDevice(category, [&](IMoniker* moniker, const std::wstring& name) {
        if (name != wanted) return true;
        moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.AsOut());
        return false;
    });
    return filter;
}

}  // namespace media
