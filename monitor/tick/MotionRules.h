// The motion pipeline's portable rules: which actions a motionMode carries, which detector boxes
// count as an alarm or a still, the count stamp's target icon and the motion still's file name.
#pragma once

#include <cstdint>
#include <string>

namespace motion {

// motionMode is the sum of the chosen weights: scan 2, alarm 3, still 4. Other values (0, 1, 255
// for "not chosen yet") carry no action.
bool IsScanMode(int mode);
bool IsAlarmMode(int mode);
bool IsStillMode(int mode);
inline bool HasAction(int mode) {
    return IsScanMode(mode) || IsAlarmMode(mode) || IsStillMode(mode);
}

// A box is four 32-bit bounds: two on the first axis, then two on the second.
// The first box (0 to lastBox, in order) big enough for an alarm (second-axis extent above 15 or
// first-axis extent above 11) or for a still (above 20 or above 15); -1 when none is.
int FirstAlarmBox(const int32_t* boxes, int lastBox);
int FirstStillBox(const int32_t* boxes, int lastBox);

// The still cooldown: it starts full so that the first qualifying motion is taken at once, and
// after a still this many ticks pass before boxes are looked at again.
constexpr int kStillCooldown = 35;

// The target icon (35 x 36, rows of 105 bytes, BGR) copied into the bottom-up frame at columns 18
// to 52, icon row j to frame row height - 102 + j. Its key colour (blue 250 or more, green 4 or
// less, red 251 or more) stays transparent. Rows and columns outside the frame are skipped.
constexpr int kTargetIconWidth = 35;
constexpr int kTargetIconHeight = 36;
void StampTargetIcon(uint8_t* frame, int width, int height, const uint8_t* icon);
// Where the still count is written next to the icon.
constexpr int kCountTextX = 59;
inline int CountTextY(int height) {
    return height - 77;
}

// The motion still's file: the folder of stillPath (everything before its last backslash) and
// "\MOTION[hh-mm-ss].bmp". A path without a backslash (a bare name, or none) names no folder: the
// still goes to programFolder.
std::string MotionStillFile(const std::string& stillPath, const std::string& programFolder, int hour,
                            int minute, int second);

}  // namespace motion
