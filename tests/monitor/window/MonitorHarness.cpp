#include "tests/monitor/window/MonitorHarness.h"

#include <cstring>

#include "monitor/app/MonitorSettings.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/tick/TickClock.h"

namespace monitor_test {

uint32_t g_now = 100000;
std::vector<uint32_t> g_pauses;

void ResetWorld() {
    yscap_double::ResetScript();
    g_now = 100000;
    g_pauses.clear();
    yscap_double::Script().clock = [] { return g_now; };
    yscap_double::Script().paint = [](uint8_t* frame, int width, int height, int) {
        std::memset(frame, kGrey, size_t(width) * size_t(height) * 3);
    };
    tick::SetClock([] { return g_now; }, [](uint32_t ms) { g_pauses.push_back(ms); });
    ResetMonitorSettings();
}

INT_PTR RunMonitor(fw::ModalScript& script, const std::function<void(CMonitorDlg&)>& body) {
    script.OnNextDialog(IDD_MONITOR, [&body](CDialog& dlg) { body(static_cast<CMonitorDlg&>(dlg)); });
    CMonitorDlg dlg;
    return dlg.DoModal();
}

void Tick(CMonitorDlg& dlg, uint32_t stepMs) {
    g_now += stepMs;
    dlg.SendMessage(WM_TIMER, CMonitorDlg::kTickTimer);
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.rfind('\\'));
}

int CountCalls(const std::string& operation) {
    int count = 0;
    for (const auto& call : yscap_double::Script().calls) count += call.operation == operation;
    return count;
}

const yscap_double::CaptureCall* LastCall(const std::string& operation) {
    const auto& calls = yscap_double::Script().calls;
    for (auto it = calls.rbegin(); it != calls.rend(); ++it)
        if (it->operation == operation) return &*it;
    return nullptr;
}

}  // namespace monitor_test
