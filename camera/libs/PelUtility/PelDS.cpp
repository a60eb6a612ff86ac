#include "camera/libs/PelUtility/PelDS.h"

#include <cstring>
#include <string>
#include <vector>

#include "camera/libs/PelUtility/Base64.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

namespace {

void LogFailure(const wchar_t* what, HRESULT hr) {
    wchar_t line[256];
    wsprintfW(line, L"PelDS: %s failed, hr=0x%08lX\n", what, static_cast<unsigned long>(hr));
    OutputDebugStringW(line);
}

// The first pin of the direction that is not connected yet.
HRESULT FindFreePin(IBaseFilter* filter, PIN_DIRECTION direction, ComPtr<IPin>& result) {
    ComPtr<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(&pins);
    if (FAILED(hr)) return hr;
    ComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION dir;
        if (FAILED(pin->QueryDirection(&dir)) || dir != direction) continue;
        ComPtr<IPin> peer;
        if (pin->ConnectedTo(&peer) == VFW_E_NOT_CONNECTED) {
            result = std::move(pin);
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

}  // namespace

HRESULT PelDS::AddFilterByCLSID(IGraphBuilder* graph, REFCLSID clsid, LPCWSTR name, IBaseFilter** filter) {
    if (!graph || !filter) return E_POINTER;
    *filter = nullptr;
    ComPtr<IBaseFilter> created;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, created.AsOut());
    if (FAILED(hr)) {
        LogFailure(L"AddFilterByCLSID CoCreateInstance", hr);
        return hr;
    }
    hr = graph->AddFilter(created.Get(), name);
    if (FAILED(hr)) {
        LogFailure(L"AddFilterByCLSID AddFilter", hr);
        return hr;
    }
    *filter = created.Detach();
    return S_OK;
}

HRESULT PelDS::AddFilterByDisplayName(IGraphBuilder* graph, LPCWSTR displayName, IBaseFilter** filter) {
    if (!graph || !displayName || !filter) return E_POINTER;
    *filter = nullptr;
    ComPtr<IBindCtx> context;
    HRESULT hr = CreateBindCtx(0, &context);
    if (FAILED(hr)) return hr;
    ComPtr<IMoniker> moniker;
    ULONG eaten = 0;
    hr = MkParseDisplayName(context.Get(), displayName, &eaten, &moniker);
    if (FAILED(hr)) {
        LogFailure(L"AddFilterByDisplayName MkParseDisplayName", hr);
        return hr;
    }
    ComPtr<IBaseFilter> bound;
    hr = moniker->BindToObject(context.Get(), nullptr, IID_IBaseFilter, bound.AsOut());
    if (FAILED(hr)) {
        LogFailure(L"AddFilterByDisplayName BindToObject", hr);
        return hr;
    }
    std::wstring name = displayName;
    ComPtr<IPropertyBag> bag;
    if (SUCCEEDED(moniker->BindToStorage(context.Get(), nullptr, IID_IPropertyBag, bag.AsOut()))) {
        VARIANT value;
        VariantInit(&value);
        if (SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal)
            name = value.bstrVal;
        VariantClear(&value);
    }
    hr = graph->AddFilter(bound.Get(), name.c_str());
    if (FAILED(hr)) {
        LogFailure(L"AddFilterByDisplayName AddFilter", hr);
        return hr;
    }
    *filter = bound.Detach();
    return S_OK;
}

HRESULT PelDS::ConnectFilters(IGraphBuilder* graph, IBaseFilter* upstream, IBaseFilter* downstream) {
    if (!graph || !upstream || !downstream) return E_POINTER;
    ComPtr<IPin> out;
    HRESULT hr = FindFreePin(upstream, PINDIR_OUTPUT, out);
    if (FAILED(hr)) {
        LogFailure(L"ConnectFilters (no free output pin)", hr);
        return hr;
    }
    ComPtr<IEnumPins> pins;
    hr = downstream->EnumPins(&pins);
    if (FAILED(hr)) return hr;
    HRESULT last = VFW_E_NOT_FOUND;
    ComPtr<IPin> in;
    while (pins->Next(1, &in, nullptr) == S_OK) {
        PIN_DIRECTION dir;
        if (FAILED(in->QueryDirection(&dir)) || dir != PINDIR_INPUT) continue;
        ComPtr<IPin> peer;
        if (in->ConnectedTo(&peer) != VFW_E_NOT_CONNECTED) continue;
        last = graph->Connect(out.Get(), in.Get());
        if (SUCCEEDED(last)) return S_OK;
    }
    LogFailure(L"ConnectFilters", last);
    return last;
}

void PelDS::NukeDownstream(IGraphBuilder* graph, IBaseFilter* filter) {
    if (!graph || !filter) return;
    // Collect the connections first: removing filters while enumerating would change the list.
    struct Link {
        ComPtr<IPin> out;
        ComPtr<IPin> in;
        ComPtr<IBaseFilter> next;
    };
    std::vector<Link> links;
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return;
    ComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION dir;
        if (FAILED(pin->QueryDirection(&dir)) || dir != PINDIR_OUTPUT) continue;
        Link link;
        if (FAILED(pin->ConnectedTo(&link.in)) || !link.in) continue;
        PIN_INFO info{};
        if (FAILED(link.in->QueryPinInfo(&info))) continue;
        link.next = ComPtr<IBaseFilter>::Adopt(info.pFilter);
        if (!link.next) continue;
        link.out = pin;
        links.push_back(std::move(link));
    }
    for (Link& link : links) {
        NukeDownstream(graph, link.next.Get());
        graph->Disconnect(link.in.Get());
        graph->Disconnect(link.out.Get());
        graph->RemoveFilter(link.next.Get());
    }
}

void PelDS::IMonRelease(IMoniker*& moniker) {
    if (moniker) {
        moniker->Release();
        moniker = nullptr;
    }
}

int PelDS::EncodeBase64(const BYTE* data, int length, LPWSTR out, int bytesPerLine) {
    if (!data || !out || length < 0 || bytesPerLine < 0) return -1;
    std::string text =
        pelutil::Base64Encode(data, static_cast<size_t>(length), static_cast<size_t>(bytesPerLine));
    for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<WCHAR>(text[i]);
    out[text.size()] = L'\0';
    return static_cast<int>(text.size());
}

int PelDS::DecodeBase64(LPCWSTR text, int length, BYTE* out) {
    if (!text || !out || length <= 0) return 0;
    return static_cast<int>(pelutil::Base64Decode(text, static_cast<size_t>(length), out));
}

BOOL PelDS::Res2File(UINT id, LPCWSTR type, LPCWSTR path) {
    if (!path) return FALSE;
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    DWORD size = info ? SizeofResource(module, info) : 0;
    if (!bytes) {
        LogFailure(L"Res2File FindResource", HRESULT_FROM_WIN32(GetLastError()));
        return FALSE;
    }
    ScopedFile file(
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        LogFailure(L"Res2File CreateFile", HRESULT_FROM_WIN32(GetLastError()));
        return FALSE;
    }
    DWORD written = 0;
    if (!WriteFile(file.Get(), bytes, size, &written, nullptr) || written != size) {
        LogFailure(L"Res2File WriteFile", HRESULT_FROM_WIN32(GetLastError()));
        return FALSE;
    }
    return TRUE;
}
