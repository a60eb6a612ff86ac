#include "tests/devices/support/TestCamera.h"

#include "framework/Handles.h"
#include "media/DeviceMonikers.h"
#include "tests/devices/support/CaptureProbe.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace probe {

int RunTestcamctl(const char* arguments, bool pump) {
    // The build hands us the tool's host path; Wine maps the host root to drive Z:.
    std::string command = std::string("\"Z:") + TESTCAMCTL_PATH + "\" " + arguments;
    std::replace(command.begin(), command.end(), '/', '\\');
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &si, &pi))
        return -1;
    if (!pump) WaitForSingleObject(pi.hProcess, 30000);
    while (pump && MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 30000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
        Pump(0);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

bool ResetTestCamera() {
    ScopedComInit com;
    return RunTestcamctl("plug") == 0 && RunTestcamctl("refuse off") == 0 &&
           RunTestcamctl("still off") == 0 &&
           media::BindDeviceByName(CLSID_VideoInputDeviceCategory, L"Test Pattern Camera");
}

bool ToneSourceListed() {
    ScopedComInit com;
    const auto names = media::DeviceNames(CLSID_AudioInputDeviceCategory);
    return std::find(names.begin(), names.end(), L"Test Tone Microphone") != names.end();
}

bool TestDevicesOptional() {
    const char* optOut = std::getenv("PROJECT_ALLOW_NO_TEST_CAMERA");
    return optOut && std::string(optOut) == "1";
}

}  // namespace probe
