#include "devices/testcam/TestToneMicrophone.h"

#include "devices/common/TestcamIds.h"

namespace testcam {

TestToneMicrophone::TestToneMicrophone()
    : DeviceFilter(kClsidTestToneMicrophone, kMicrophoneName), pin_(this) {}

}  // namespace testcam
