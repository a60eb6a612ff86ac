#include "monitor/window/SizeModes.h"

namespace monitor {

namespace {
const SizeMode kModes[] = {
    {1000, 320, 240, 320, 240, false, 0},  {1001, 320, 240, 320, 240, false, 1},
    {1002, 640, 480, 640, 480, false, 2},  {1003, 800, 600, 800, 600, false, 3},
    {1004, 1280, 960, 640, 480, true, 5},  {1005, 1600, 1200, 800, 600, true, 4},
    {1071, 1600, 1200, 800, 600, true, 4},
};
}  // namespace

const SizeMode* FindSizeMode(int buttonId) {
    for (const SizeMode& mode : kModes)
        if (mode.buttonId == buttonId) return &mode;
    return nullptr;
}

const SizeMode* FindSizeModeByIndex(int sizeMode) {
    for (const SizeMode& mode : kModes)
        if (mode.sizeMode == sizeMode) return &mode;
    return nullptr;
}

}  // namespace monitor
