// Devices of one DirectShow category (video or audio input), in the system enumerator's order.
#pragma once

#include "framework/ComPtr.h"
#include "monitor/libs/YsCapture/DirectShow.h"

#include <string>
#include <vector>

namespace yscap {

std::vector<std::string> ListDevices(REFCLSID category);
// Binds device `index` of the category; false when there is no such device.
bool BindDevice(REFCLSID category, int index, ComPtr<IBaseFilter>& filter, std::string& name);

}  // namespace yscap
