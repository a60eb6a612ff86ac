#pragma once
// The seven alarm sounds of Orvello's monitor settings, in the order of its sound list:
// Alarm\0.wav is "car alarm" ... Alarm\6.wav is "jail break".
#include <cstdint>
#include <vector>

namespace sounds {

constexpr int kAlarmCount = 7;

const char* AlarmName(int index);
// 16-bit mono samples at kSampleRate for sound `index` (0 to 6).
std::vector<int16_t> MakeAlarm(int index);

}  // namespace sounds
