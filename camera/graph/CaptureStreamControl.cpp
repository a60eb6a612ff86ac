#include "camera/graph/CaptureStreamControl.h"

#include "framework/ComPtr.h"

namespace {

bool IsCapturePin(IPin* pin) {
    PIN_DIRECTION direction;
    if (FAILED(pin->QueryDirection(&direction)) || direction != PINDIR_OUTPUT) return false;
    ComPtr<IKsPropertySet> props;
    if (FAILED(pin->QueryInterface(IID_IKsPropertySet, props.AsOut()))) return false;
    GUID category = GUID_NULL;
    DWORD returned = 0;
    return props->Get(AMPROPSETID_Pin, AMPROPERTY_PIN_CATEGORY, nullptr, 0, &category, sizeof category,
                      &returned) == S_OK &&
           returned == sizeof category && category == PIN_CATEGORY_CAPTURE;
}

// Sets the times on the filter's capture pins; the number of pins that took them.
int ControlFilter(IBaseFilter* filter, REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return 0;
    int controlled = 0;
    ComPtr<IPin> pin;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        ComPtr<IAMStreamControl> control;
        if (!IsCapturePin(pin.Get()) || FAILED(pin->QueryInterface(IID_IAMStreamControl, control.AsOut())))
            continue;
        if (SUCCEEDED(control->StartAt(start, 0)) && SUCCEEDED(control->StopAt(stop, FALSE, 0))) ++controlled;
    }
    return controlled;
}

void Log(const wchar_t* how, int pins, HRESULT hr) {
    wchar_t line[160];
    wsprintfW(line, L"CaptureGraph: stream control %s, pins=%d, hr=0x%08lX\n", how, pins,
              static_cast<unsigned long>(hr));
    OutputDebugStringW(line);
}

}  // namespace

HRESULT ControlCaptureStreams(ICaptureGraphBuilder2* builder, IFilterGraph* graph, REFERENCE_TIME* start,
                              REFERENCE_TIME* stop) {
    if (!builder || !graph) return E_POINTER;
    HRESULT hr = builder->ControlStream(&PIN_CATEGORY_CAPTURE, nullptr, nullptr, start, stop, 0, 0);
    if (hr != E_NOTIMPL) {
        Log(L"through the builder", -1, hr);
        return hr;
    }
    ComPtr<IEnumFilters> filters;
    hr = graph->EnumFilters(&filters);
    if (FAILED(hr)) return hr;
    int controlled = 0;
    ComPtr<IBaseFilter> filter;
    while (filters->Next(1, &filter, nullptr) == S_OK) controlled += ControlFilter(filter.Get(), start, stop);
    hr = controlled > 0 ? S_OK : E_FAIL;
    Log(L"on the capture pins", controlled, hr);
    return hr;
}
