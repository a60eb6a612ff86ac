#include "media/FilterRegistration.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"

#include <string>

namespace media {
namespace {

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ClsidKeyPath(const CLSID& clsid) {
    return L"CLSID\\" + GuidText(clsid);
}

HRESULT SetStringValue(HKEY key, const wchar_t* name, const std::wstring& value) {
    const LONG rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(rc);
}

HRESULT CreateKey(HKEY parent, const std::wstring& path, HKEY* key) {
    return HRESULT_FROM_WIN32(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              KEY_WRITE, nullptr, key, nullptr));
}

void LogFailure(const wchar_t* what, HRESULT hr) {
    wchar_t line[160];
    wsprintfW(line, L"media: %s failed, hr=0x%08lX\n", what, static_cast<unsigned long>(hr));
    OutputDebugStringW(line);
}

}  // namespace

HRESULT RegisterComServer(HMODULE module, const CLSID& clsid, const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleFileNameW(module, path, MAX_PATH)) return HRESULT_FROM_WIN32(GetLastError());
    HKEY clsidKey = nullptr;
    HRESULT hr = CreateKey(HKEY_CLASSES_ROOT, ClsidKeyPath(clsid), &clsidKey);
    if (FAILED(hr)) {
        LogFailure(L"creating the CLSID key", hr);
        return hr;
    }
    hr = SetStringValue(clsidKey, nullptr, name);
    HKEY serverKey = nullptr;
    if (SUCCEEDED(hr)) hr = CreateKey(clsidKey, L"InprocServer32", &serverKey);
    if (SUCCEEDED(hr)) {
        hr = SetStringValue(serverKey, nullptr, path);
        if (SUCCEEDED(hr)) hr = SetStringValue(serverKey, L"ThreadingModel", L"Both");
        RegCloseKey(serverKey);
    }
    RegCloseKey(clsidKey);
    if (FAILED(hr)) LogFailure(L"writing InprocServer32", hr);
    return hr;
}

HRESULT UnregisterComServer(const CLSID& clsid) {
    const LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, ClsidKeyPath(clsid).c_str());
    if (rc == ERROR_FILE_NOT_FOUND) return S_FALSE;
    return HRESULT_FROM_WIN32(rc);
}

HRESULT RegisterInCategory(const FilterDescription& filter) {
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  mapper.AsOut());
    if (FAILED(hr)) {
        LogFailure(L"creating the filter mapper", hr);
        return hr;
    }
    REGPINTYPES types = {filter.majorType, filter.subType};
    REGFILTERPINS2 pins[2] = {};
    UINT pinCount = 0;
    if (filter.hasInput) {
        REGFILTERPINS2& pin = pins[pinCount++];
        pin.cInstances = 1;
        pin.nMediaTypes = 1;
        pin.lpMediaType = &types;
    }
    if (filter.hasOutput) {
        REGFILTERPINS2& pin = pins[pinCount++];
        pin.dwFlags = REG_PINFLAG_B_OUTPUT;
        pin.cInstances = 1;
        pin.nMediaTypes = 1;
        pin.lpMediaType = &types;
        pin.clsPinCategory = filter.outputPinCategory;
    }
    REGFILTER2 reg = {};
    reg.dwVersion = 2;
    reg.dwMerit = filter.merit;
    reg.cPins2 = pinCount;
    reg.rgPins2 = pins;
    ComPtr<IMoniker> entry;
    hr = mapper->RegisterFilter(*filter.clsid, filter.name, filter.entryValueName ? &entry : nullptr,
                                filter.category ? filter.category : &CLSID_LegacyAmFilterCategory, nullptr,
                                &reg);
    if (FAILED(hr)) {
        LogFailure(L"IFilterMapper2::RegisterFilter", hr);
        return hr;
    }
    if (filter.entryValueName) {
        ComPtr<IPropertyBag> bag;
        hr = entry ? entry->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()) : E_UNEXPECTED;
        if (SUCCEEDED(hr)) {
            VARIANT value;
            VariantInit(&value);
            value.vt = VT_I4;
            value.lVal = filter.entryValue;
            hr = bag->Write(filter.entryValueName, &value);
        }
        if (FAILED(hr)) LogFailure(L"writing a value into the category entry", hr);
    }
    return hr;
}

HRESULT UnregisterFromCategory(const FilterDescription& filter) {
    ComPtr<IFilterMapper2> mapper;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  mapper.AsOut());
    if (FAILED(hr)) return hr;
    return mapper->UnregisterFilter(filter.category ? filter.category : &CLSID_LegacyAmFilterCategory,
                                    nullptr, *filter.clsid);
}

HRESULT RegisterFilters(HMODULE module, const FilterDescription* filters, size_t count) {
    // regsvr32 calls us without COM on its thread.
    const HRESULT init = CoInitialize(nullptr);
    HRESULT hr = S_OK;
    for (size_t i = 0; i < count && SUCCEEDED(hr); ++i) {
        hr = RegisterComServer(module, *filters[i].clsid, filters[i].name);
        if (SUCCEEDED(hr)) hr = RegisterInCategory(filters[i]);
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return hr;
}

HRESULT UnregisterFilters(const FilterDescription* filters, size_t count) {
    const HRESULT init = CoInitialize(nullptr);
    HRESULT result = S_OK;
    for (size_t i = 0; i < count; ++i) {
        const HRESULT category = UnregisterFromCategory(filters[i]);
        const HRESULT server = UnregisterComServer(*filters[i].clsid);
        if (FAILED(category)) result = category;
        if (FAILED(server)) result = server;
    }
    if (SUCCEEDED(init)) CoUninitialize();
    return result;
}

}  // namespace media
