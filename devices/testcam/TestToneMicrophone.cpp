#include "devices/testcam/TestToneMicrophone.h"

#include "devices/common/TestcamIds.h"

namespace testcam {

TestToneMicrophone::TestToneMicrophone() : LiveSourceFilter(kClsidTestToneMicrophone), pin_(this) {}

}  // namespace testcam
