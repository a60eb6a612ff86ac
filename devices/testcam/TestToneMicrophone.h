// "Test Tone Microphone": a live audio capture source with a steady sine tone.
#pragma once

#include "devices/testcam/DeviceFilter.h"
#include "devices/testcam/TestTonePin.h"

namespace testcam {

class TestToneMicrophone : public DeviceFilter {
  public:
    TestToneMicrophone();
    ~TestToneMicrophone() override { pin_.Inactive(); }

    int PinCount() override { return 1; }
    media::BasePin* PinAt(int index) override { return index == 0 ? &pin_ : nullptr; }

  private:
    TestTonePin pin_;
};

}  // namespace testcam
