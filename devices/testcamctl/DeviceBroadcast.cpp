#include "devices/testcamctl/DeviceBroadcast.h"

#include "media/DShow.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace testcam {

void BroadcastDeviceChange(DeviceEvent event) {
    static const wchar_t kInterfaceName[] =
        L"\\\\?\\ROOT#TESTPATTERNCAMERA#0000#{65e8773d-8f56-11d0-a3b9-00a0c9223196}\\global";
    const size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + sizeof kInterfaceName;
    std::vector<BYTE> buffer(size);
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    header->dbcc_size = static_cast<DWORD>(size);
    header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header->dbcc_classguid = AM_KSCATEGORY_CAPTURE;
    std::memcpy(header->dbcc_name, kInterfaceName, sizeof kInterfaceName);
    const WPARAM code = event == DeviceEvent::Arrival ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_DEVICECHANGE, code, reinterpret_cast<LPARAM>(header),
                        SMTO_ABORTIFHUNG, 2000, &result);
}

}  // namespace testcam
