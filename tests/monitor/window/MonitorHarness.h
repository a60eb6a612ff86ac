// Runs the main window through the modal seam with the scripted camera and a test clock: the
// tick's time and pauses and the camera's moments all come from monitor_test::Now.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/ModalScript.h"
#include "tests/monitor/double/CaptureScript.h"
#include "monitor/window/MonitorDlg.h"

namespace monitor_test {

extern uint32_t g_now;                  // milliseconds, what the tick and the camera read
extern std::vector<uint32_t> g_pauses;  // the pauses the window asked for

// A fresh camera script (uniform grey frames, a new frame at every Capture), clock at 100000,
// settings at their defaults.
void ResetWorld();

// Runs CMonitorDlg modally; `body` runs with the initialised window before the run is ended.
INT_PTR RunMonitor(fw::ModalScript& script, const std::function<void(CMonitorDlg&)>& body);

// One tick of timer 1 after advancing the clock by `stepMs`.
void Tick(CMonitorDlg& dlg, uint32_t stepMs = 50);

// The folder of the test program (where the window keeps its counter file).
std::string ExeFolder();

// Counts the calls of one camera operation in the script's log.
int CountCalls(const std::string& operation);
const yscap_double::CaptureCall* LastCall(const std::string& operation);

// The uniform picture the script's camera delivers.
constexpr uint8_t kGrey = 90;

}  // namespace monitor_test
