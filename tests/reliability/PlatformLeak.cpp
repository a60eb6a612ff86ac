#include "tests/reliability/PlatformLeak.h"

#include <windows.h>

#include <commdlg.h>
#include <dshow.h>

#include <string>
#include <thread>

#include "framework/ComPtr.h"
#include "tests/e2e/driver/Dialogs.h"
#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/WindowFinder.h"
#include "tests/reliability/ProcessCounters.h"

namespace reliability {
namespace {

constexpr int kRepeats = 10;

void CreateGraph() {
    ComPtr<IGraphBuilder> graph;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.AsOut());
}

// Reads each device's name as the programs do when they list or open a device.
void ListDevices(const GUID& category) {
    ComPtr<ICreateDevEnum> devices;
    ComPtr<IEnumMoniker> monikers;
    if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                devices.AsOut())) ||
        devices->CreateClassEnumerator(category, &monikers, 0) != S_OK || !monikers)
        return;
    ComPtr<IMoniker> moniker;
    while (monikers->Next(1, &moniker, nullptr) == S_OK) {
        ComPtr<IPropertyBag> bag;
        if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.AsOut()))) continue;
        VARIANT name;
        VariantInit(&name);
        bag->Read(L"FriendlyName", &name, nullptr);
        VariantClear(&name);
    }
}

// A save dialog as the programs show it, on a thread of its own, answered with OK from this one.
void SaveDialog(const std::wstring& folder) {
    std::thread show([] {
        wchar_t file[MAX_PATH] = {};
        OPENFILENAMEW dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.lpstrFilter = L"AVI File(*.avi)\0*.avi\0";
        dialog.lpstrFile = file;
        dialog.nMaxFile = MAX_PATH;
        dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
        GetSaveFileNameW(&dialog);
    });
    HWND dialog = e2e::WaitFor([] { return e2e::FindFileDialog(GetCurrentProcessId()); }, 10000);
    e2e::Pause(700);  // as a user would
    if (dialog && !e2e::AnswerFileDialog(dialog, folder + L"\\calibration.avi"))
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    show.join();
}

// Handles of one type this process gains per call of step, after one call as warm-up.
template <typename Step>
double Rate(const char* type, Step step) {
    step();
    const long before = HandleTypeCounts(GetCurrentProcessId())[type];
    for (int i = 0; i < kRepeats; ++i) step();
    const long after = HandleTypeCounts(GetCurrentProcessId())[type];
    return after > before ? double(after - before) / kRepeats : 0.0;
}

}  // namespace

PlatformRates MeasurePlatformRates() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const std::wstring folder = e2e::FreshFolder(L"soak-calibration");
    PlatformRates rates;
    rates.keysPerVideoList = Rate("Key", [] { ListDevices(CLSID_VideoInputDeviceCategory); });
    rates.keysPerCompressorList = Rate("Key", [] { ListDevices(CLSID_VideoCompressorCategory); });
    rates.keysPerSaveDialog = Rate("Key", [&] { SaveDialog(folder); });
    rates.eventsPerFilterGraph = Rate("Event", CreateGraph);
    e2e::RemoveTree(folder);
    if (SUCCEEDED(com)) CoUninitialize();
    return rates;
}

}  // namespace reliability
