#include "monitor/libs/YsCapture/DeviceList.h"

#include "monitor/libs/YsCapture/Log.h"

namespace yscap {
namespace {

template <typename Visit>
void ForEachDevice(REFCLSID category, Visit visit) {
    ComPtr<ICreateDevEnum> devices;
    HRESULT hr = ::CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                    devices.AsOut());
    if (FAILED(hr)) {
        LogFailure("CoCreateInstance(SystemDeviceEnum)", hr);
        return;
    }
    ComPtr<IEnumMoniker> monikers;
    if (devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers) return;  // empty
    ComPtr<IMoniker> moniker;
    for (int index = 0; monikers->Next(1, &moniker, nullptr) == S_OK; ++index) {
        std::string name;
        ComPtr<IPropertyBag> bag;
        if (SUCCEEDED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()))) {
            VARIANT v;
            ::VariantInit(&v);
            if (SUCCEEDED(bag->Read(L"FriendlyName", &v, nullptr)) && v.vt == VT_BSTR)
                name = ToAnsi(v.bstrVal);
            ::VariantClear(&v);
        }
        if (!visit(index, moniker.Get(), name)) return;
    }
}

}  // namespace

std::vector<std::string> ListDevices(REFCLSID category) {
    std::vector<std::string> names;
    ForEachDevice(category, [&](int, IMoniker*, const std::string& name) {
        names.push_back(name);
        return true;
    });
    return names;
}

bool BindDevice(REFCLSID category, int index, ComPtr<IBaseFilter>& filter, std::string& name) {
    bool found = false;
    ForEachDevice(category, [&](int i, IMoniker* moniker, const std::string& friendly) {
        if (i != index) return true;
        found = true;
        HRESULT hr = moniker->BindToObject(nullptr, nullptr, IID_IBaseFilter, filter.AsOut());
        if (FAILED(hr)) {
            LogFailure("BindToObject(capture device)", hr);
            filter = nullptr;
        }
        name = friendly;
        return false;
    });
    return found && filter;
}

}  // namespace yscap
