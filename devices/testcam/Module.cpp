// testcam.dll entry points: class objects for the camera, the microphone and the camera's page,
// and registration in the video and audio input device categories.
#include "devices/common/ControlBlock.h"
#include "devices/common/TestcamIds.h"
#include "devices/testcam/CameraPropertyPage.h"
#include "devices/testcam/TestPatternCamera.h"
#include "devices/testcam/TestToneMicrophone.h"
#include "media/ClassFactory.h"
#include "media/FilterRegistration.h"

namespace {

HMODULE g_module = nullptr;

const media::ClassEntry kClasses[] = {
    {&testcam::kClsidTestPatternCamera, &media::CreateObject<testcam::TestPatternCamera>},
    {&testcam::kClsidTestToneMicrophone, &media::CreateObject<testcam::TestToneMicrophone>},
    {&testcam::kClsidTestCameraPage, &media::CreateObject<testcam::CameraPropertyPage>},
};

const media::FilterDescription* Devices(size_t& count) {
    static const media::FilterDescription devices[] = {testcam::CameraDescription(),
                                                       testcam::MicrophoneDescription()};
    count = 2;
    return devices;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return media::GetClassObject(kClasses, sizeof kClasses / sizeof kClasses[0], clsid, iid, out);
}

STDAPI DllCanUnloadNow() {
    return media::ModuleObjectCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer() {
    size_t count = 0;
    const media::FilterDescription* devices = Devices(count);
    HRESULT hr = media::RegisterFilters(g_module, devices, count);
    if (SUCCEEDED(hr))
        hr = media::RegisterComServer(g_module, testcam::kClsidTestCameraPage, testcam::kCameraPageName);
    // A fresh registration is a freshly installed device: plugged in, no faults.
    testcam::ControlBlock control;
    if (SUCCEEDED(hr) && control.Open()) {
        control.Update([](testcam::ControlState& s) {
            s.plugged = 1;
            s.still = 0;
            s.refuseWidth = s.refuseHeight = 0;
        });
    }
    return hr;
}

STDAPI DllUnregisterServer() {
    size_t count = 0;
    const media::FilterDescription* devices = Devices(count);
    const HRESULT hr = media::UnregisterFilters(devices, count);
    media::UnregisterComServer(testcam::kClsidTestCameraPage);
    return hr;
}
