#include "media/avi/CaptureFileOutput.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "media/avi/AviFileMux.h"

namespace media::avi {

namespace {

void Log(const wchar_t* what, HRESULT hr) {
    wchar_t line[160];
    wsprintfW(line, L"CaptureFileOutput: %s, hr=0x%08lX\n", what, static_cast<unsigned long>(hr));
    OutputDebugStringW(line);
}

HRESULT ExtendFile(LPCWSTR path, DWORDLONG bytes) {
    ScopedFile file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return HRESULT_FROM_WIN32(GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) return HRESULT_FROM_WIN32(GetLastError());
    if (static_cast<DWORDLONG>(size.QuadPart) >= bytes) return S_OK;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(bytes);
    if (!SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get()))
        return HRESULT_FROM_WIN32(GetLastError());
    return S_OK;
}

}  // namespace

HRESULT AllocCapFile(ICaptureGraphBuilder2* builder, LPCWSTR path, DWORDLONG bytes) {
    if (!path || !*path) return E_INVALIDARG;
    if (builder) {
        HRESULT hr = builder->AllocCapFile(path, bytes);
        if (hr != E_NOTIMPL) return hr;
    }
    const HRESULT hr = ExtendFile(path, bytes);
    if (FAILED(hr)) Log(L"capture file not extended", hr);
    return hr;
}

HRESULT SetOutputFileName(ICaptureGraphBuilder2* builder, IGraphBuilder* graph, const GUID* type,
                          LPCWSTR path, IBaseFilter** mux, IFileSinkFilter** sink) {
    if (!mux || !path || !type || !graph) return E_POINTER;
    *mux = nullptr;
    if (sink) *sink = nullptr;
    if (*type != MEDIASUBTYPE_Avi) return E_INVALIDARG;
    if (builder) {
        HRESULT hr = builder->SetOutputFileName(type, path, mux, sink);
        if (hr != E_NOTIMPL) return hr;
        Log(L"the builder has no SetOutputFileName; using our multiplexer", hr);
    }
    ComPtr<IBaseFilter> own;
    HRESULT hr = CreateAviFileMux(IID_IBaseFilter, own.AsOut());
    if (FAILED(hr)) return hr;
    ComPtr<IFileSinkFilter> ownSink;
    hr = own->QueryInterface(IID_IFileSinkFilter, ownSink.AsOut());
    if (FAILED(hr)) return hr;
    hr = ownSink->SetFileName(path, nullptr);
    if (FAILED(hr)) return hr;
    hr = graph->AddFilter(own.Get(), L"AVI File Mux");
    if (FAILED(hr)) return hr;
    *mux = own.Detach();
    if (sink) *sink = ownSink.Detach();
    return S_OK;
}

}  // namespace media::avi
