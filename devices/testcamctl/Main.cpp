// testcamctl: drives the test camera from outside the program under test.
//   testcamctl unplug | plug | still on|off | refuse WxH | refuse off | status
// Exit code 0 on success, 1 when the change failed, 2 on a usage error.
#include "devices/common/ControlBlock.h"
#include "devices/common/TestcamIds.h"
#include "devices/testcamctl/DeviceBroadcast.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "media/DShow.h"
#include "media/DeviceMonikers.h"
#include "media/FilterRegistration.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

int Usage() {
    std::fputs("usage: testcamctl unplug | plug | still on|off | refuse WxH | refuse off | status\n", stderr);
    return 2;
}

int Fail(const char* what, HRESULT hr) {
    std::fprintf(stderr, "testcamctl: %s failed (hr=0x%08lX)\n", what, static_cast<unsigned long>(hr));
    return 1;
}

bool CameraEnumerated() {
    for (const std::wstring& name : media::DeviceNames(CLSID_VideoInputDeviceCategory))
        if (name == testcam::kCameraName) return true;
    return false;
}

int Unplug(testcam::ControlBlock& control) {
    // Out of the device list first, so that whoever reacts to the loss no longer finds it.
    HRESULT hr = media::UnregisterFromCategory(testcam::CameraDescription());
    if (FAILED(hr)) return Fail("removing the camera from the video input category", hr);
    control.Update([](testcam::ControlState& s) { s.plugged = 0; });
    testcam::BroadcastDeviceChange(testcam::DeviceEvent::RemoveComplete);
    std::puts("unplugged");
    return 0;
}

int Plug(testcam::ControlBlock& control) {
    HRESULT hr = media::RegisterInCategory(testcam::CameraDescription());
    if (FAILED(hr)) return Fail("adding the camera to the video input category", hr);
    control.Update([](testcam::ControlState& s) { s.plugged = 1; });
    testcam::BroadcastDeviceChange(testcam::DeviceEvent::Arrival);
    std::puts("plugged");
    return 0;
}

int Status(testcam::ControlBlock& control) {
    const testcam::ControlState s = control.Read();
    char refuse[32] = "none";
    if (s.refuseWidth || s.refuseHeight)
        std::snprintf(refuse, sizeof refuse, "%ldx%ld", s.refuseWidth, s.refuseHeight);
    std::printf("plugged=%ld still=%ld refuse=%s enumerated=%d frames=%ld generation=%ld streamcontrol=%ld\n",
                s.plugged, s.still, refuse, CameraEnumerated() ? 1 : 0, s.framesDelivered, s.generation,
                s.streamControls);
    return 0;
}

int Run(int argc, char** argv) {
    if (argc < 2) return Usage();
    testcam::ControlBlock control;
    if (!control.Open()) return Fail("opening the control block", HRESULT_FROM_WIN32(GetLastError()));
    const char* command = argv[1];
    if (std::strcmp(command, "unplug") == 0 && argc == 2) return Unplug(control);
    if (std::strcmp(command, "plug") == 0 && argc == 2) return Plug(control);
    if (std::strcmp(command, "status") == 0 && argc == 2) return Status(control);
    if (std::strcmp(command, "still") == 0 && argc == 3) {
        const bool on = std::strcmp(argv[2], "on") == 0;
        if (!on && std::strcmp(argv[2], "off") != 0) return Usage();
        control.Update([on](testcam::ControlState& s) { s.still = on ? 1 : 0; });
        std::printf("still %s\n", on ? "on" : "off");
        return 0;
    }
    if (std::strcmp(command, "refuse") == 0 && argc == 3) {
        int width = 0, height = 0;
        char extra = 0;
        if (std::strcmp(argv[2], "off") != 0 &&
            (std::sscanf(argv[2], "%dx%d%c", &width, &height, &extra) != 2 || width <= 0 || height <= 0))
            return Usage();
        control.Update([width, height](testcam::ControlState& s) {
            s.refuseWidth = width;
            s.refuseHeight = height;
        });
        if (width)
            std::printf("refusing %dx%d\n", width, height);
        else
            std::puts("refusing nothing");
        return 0;
    }
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    ScopedComInit com;
    const int rc = Run(argc, argv);
    std::fflush(stdout);
    return rc;
}
