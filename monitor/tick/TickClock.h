// The tick's clock: the 32-bit millisecond tick count and the short blocking pauses around camera
// reopening. Tests replace both so that ticks happen at exact moments and pauses cost nothing.
#pragma once

#include <cstdint>
#include <functional>

namespace tick {

uint32_t Now();
void Pause(uint32_t milliseconds);

// Empty functions restore the system's tick count and sleep.
void SetClock(std::function<uint32_t()> now, std::function<void(uint32_t)> pause);

}  // namespace tick
