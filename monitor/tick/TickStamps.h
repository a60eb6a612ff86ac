// The tick's portable pieces: timer-shot timing and countdown text, the clock text, the camera
// icon stamp, the reopen size after a lost camera and the default timer-shot file.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace tick {

// Seconds since the timer shot started, from 32-bit millisecond tick counts (wrap-around safe).
float ElapsedSeconds(uint32_t now, uint32_t start);

// "%02d;%02d" minutes and seconds left: the elapsed seconds rounded as "%0.0f" prints them.
std::string CountdownText(float elapsed, int totalSeconds);
// The countdown shows until the last second of the delay.
bool CountdownVisible(float elapsed, int totalSeconds);

// Local time as "%Y:%m:%d<%H;%M;%S" (the stamp font shows ':' as '-', ';' as ':', '<' as a space).
std::string ClockText(const std::tm& local);

// The camera icon of the countdown (38 x 26, rows of 114 bytes) copied opaque into the frame at
// columns 16 to 53, icon row j to frame row height - 62 + j. Rows outside the frame are skipped.
constexpr int kCamIconWidth = 38;
constexpr int kCamIconHeight = 26;
void StampCameraIcon(uint8_t* frame, int width, int height, const uint8_t* icon);

// The size the camera is reopened at after it was lost: the display size, except that the
// doubled sizes reopen at the capture size they double.
void ReopenSize(int displayWidth, int displayHeight, int& width, int& height);

// The default timer-shot file: the program file's path cut at its last backslash plus
// "\TimerCap.bmp"; a path without a backslash is kept as it is.
std::string DefaultTimerShotFile(const std::string& modulePath);

}  // namespace tick
