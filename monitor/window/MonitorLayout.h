// Where the main window's controls sit on the skin (pixels) and which pictures the skinned ones use.
// Positions go to SetBtnRect when the window opens; the sizes are the pictures' sizes.
#pragma once

#include <vector>

namespace monitor {

constexpr int kSkinWidth = 360;
constexpr int kSkinHeight = 355;

struct ControlPlace {
    int id;
    int x, y;                             // skin pixel of the top-left corner
    int width, height;                    // pixels
    int normal, checked, disabled, mask;  // bitmap ids, 0 = none
    const char* tooltip;                  // null = none
};

// Every control of template 102 that has a place on the skin, in template order.
const std::vector<ControlPlace>& MonitorControls();
const ControlPlace* FindControlPlace(int id);

}  // namespace monitor
