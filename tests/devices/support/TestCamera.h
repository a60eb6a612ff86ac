// The test devices of the prefix (devices/testcam, registered by scripts/wine-prefix.sh) and
// testcamctl, which drives the camera's faults. A test that needs a device fails without it; only
// a run that sets PROJECT_ALLOW_NO_TEST_CAMERA=1 skips instead.
#pragma once

#include <gtest/gtest.h>

namespace probe {

// Runs testcamctl with the arguments; its exit code (-1 when it cannot start). With `pump` this
// thread answers its messages meanwhile: the tool's device broadcast waits for every window.
int RunTestcamctl(const char* arguments, bool pump = false);

// Plugs the camera in and clears its faults; true when "Test Pattern Camera" then binds.
bool ResetTestCamera();
// True when "Test Tone Microphone" is listed among the audio inputs.
bool ToneSourceListed();
bool TestDevicesOptional();

}  // namespace probe

// Fails the test (or SetUp) when `present` is false; skips only under the opt-out.
#define REQUIRE_TEST_DEVICE(present, device)                                                        \
    do {                                                                                            \
        if (present) break;                                                                         \
        if (probe::TestDevicesOptional()) GTEST_SKIP() << device << " absent (opted out)";          \
        FAIL() << device << " is not usable in this prefix (set PROJECT_ALLOW_NO_TEST_CAMERA=1 to " \
               << "skip instead)";                                                                  \
    } while (0)
#define REQUIRE_TEST_CAMERA() REQUIRE_TEST_DEVICE(probe::ResetTestCamera(), "Test Pattern Camera")
#define REQUIRE_TONE_SOURCE() REQUIRE_TEST_DEVICE(probe::ToneSourceListed(), "Test Tone Microphone")
