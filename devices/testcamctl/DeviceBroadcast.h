// Tells every top-level window that the test camera arrived or went away (WM_DEVICECHANGE with a
// device-interface header in the capture category, as a real webcam's driver stack does).
#pragma once

namespace testcam {

enum class DeviceEvent { Arrival, RemoveComplete };

void BroadcastDeviceChange(DeviceEvent event);

}  // namespace testcam
