// Watch points of the motion step for tests: every mask generation and every scan view, and the
// alarm player. Empty functions leave the program as it is (the alarm plays its sound file).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace motion {

struct MotionHooks {
    std::function<void()> maskGenerated;
    std::function<void(uint8_t scale, unsigned x, unsigned y)> viewResized;
    // Replaces the sound playback of the alarm when set.
    std::function<void(const std::string& soundPath)> playAlarm;
};

MotionHooks& Hooks();

}  // namespace motion
