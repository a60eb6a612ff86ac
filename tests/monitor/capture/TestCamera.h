// The test camera for capture tests: registered from TESTCAM_DLL (testcamctl.exe beside it), or
// already registered in the Wine prefix (testcamctl.exe of this build). Tests skip without it.
#pragma once

#include <string>

namespace capture_test {

// True when the camera is registered and ready (registers it on first use).
bool TestCameraAvailable();
// Runs testcamctl with the arguments; its exit code (-1 when it could not start).
int TestCamCtl(const std::string& arguments);

}  // namespace capture_test
