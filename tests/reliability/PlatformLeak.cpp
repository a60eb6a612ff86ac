#include "tests/reliability/PlatformLeak.h"

#include <windows.h>

#include <dshow.h>

#include "framework/ComPtr.h"
#include "tests/reliability/ProcessCounters.h"

namespace reliability {
namespace {

constexpr int kRepeats = 10;

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

void CreateGraph() {
    ComPtr<IGraphBuilder> graph;
    CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.AsOut());
}

}  // namespace

bool SystemKey(const std::string& name) {
    // Category monikers live under HKCR\CLSID\{category}\Instance; the enumerator caches under
    // ActiveMovie\devenum and deletes its temporary codec keys while they are still open.
    return name == "(deleted)" || Contains(name, "\\Software\\Microsoft\\ActiveMovie\\devenum") ||
           (Contains(name, "\\Software\\Classes\\CLSID\\{") && Contains(name, "}\\Instance")) ||
           Contains(name, "\\CurrentVersion\\Explorer\\ComDlg32\\");
}

double EventsPerFilterGraph() {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    CreateGraph();  // loads the DLLs and fills their caches
    const DWORD self = GetCurrentProcessId();
    const long before = HandleTypeCounts(self)["Event"];
    for (int i = 0; i < kRepeats; ++i) CreateGraph();
    const long after = HandleTypeCounts(self)["Event"];
    if (SUCCEEDED(com)) CoUninitialize();
    return after > before ? double(after - before) / kRepeats : 0.0;
}

}  // namespace reliability
