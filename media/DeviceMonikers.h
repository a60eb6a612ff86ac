// The system device enumerator, by category: the friendly names of the devices and a device bound
// as a filter by its name.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"

#include <functional>
#include <string>
#include <vector>

namespace media {

// Calls visit(moniker, friendly name) for each device of the category in the enumerator's order
// until it returns false. A device without a readable name is visited with an empty name.
void ForEachDevice(REFCLSID category, const std::function<bool(IMoniker*, const std::wstring&)>& visit);

std::vector<std::wstring> DeviceNames(REFCLSID category);

// The first device of that friendly name, bound as a filter; null when there is none or it
// refuses to bind.
ComPtr<IBaseFilter> BindDeviceByName(REFCLSID category, const wchar_t* name);

}  // namespace media
