#include "monitor/window/MonitorLayout.h"

namespace monitor {

const std::vector<ControlPlace>& MonitorControls() {
    static const std::vector<ControlPlace> kControls = {
        {1046, 8, 5, 14, 14, 236, 236, 0, 235, "Close"},
        {1054, 29, 5, 14, 14, 239, 239, 0, 238, "Minimize"},
        {1042, 132, 33, 132, 120, 0, 0, 0, 0, nullptr},  // combo: the height includes the list
        {1044, 271, 33, 74, 21, 208, 203, 0, 204, nullptr},
        {1043, 132, 56, 132, 120, 0, 0, 0, 0, nullptr},
        {1068, 271, 56, 74, 21, 206, 205, 249, 204, nullptr},
        {1040, 132, 90, 132, 20, 0, 0, 0, 0, nullptr},
        {1027, 271, 90, 74, 21, 208, 207, 0, 204, nullptr},
        {1038, 132, 113, 132, 120, 0, 0, 0, 0, nullptr},
        {1000, 17, 163, 74, 21, 210, 209, 210, 204, nullptr},
        {1001, 100, 163, 74, 21, 212, 211, 212, 204, nullptr},
        {1002, 183, 163, 74, 21, 214, 213, 0, 204, nullptr},
        {1003, 266, 163, 74, 21, 216, 215, 0, 204, nullptr},
        {1004, 17, 194, 74, 21, 218, 217, 0, 204, nullptr},
        {1005, 100, 194, 74, 21, 220, 219, 0, 204, nullptr},
        {1071, 183, 194, 74, 21, 260, 261, 0, 204, nullptr},
        {1008, 16, 247, 74, 21, 222, 221, 0, 204, nullptr},
        {1012, 99, 247, 74, 21, 224, 223, 0, 204, nullptr},
        {1009, 183, 247, 74, 21, 226, 225, 0, 204, nullptr},
        {1036, 265, 247, 74, 21, 228, 227, 0, 204, nullptr},
        {1057, 99, 278, 18, 21, 248, 0, 246, 247, nullptr},
        {1056, 99, 278, 74, 21, 231, 229, 0, 204, nullptr},
        {1013, 183, 278, 74, 21, 233, 232, 0, 204, nullptr},
        {1055, 17, 311, 164, 15, 242, 0, 0, 240, nullptr},
        // The Monitor button and its lamp are hidden in the shipped layout; they keep the free
        // place of the size grid.
        {1070, 266, 194, 18, 21, 248, 0, 246, 247, nullptr},
        {1069, 266, 194, 74, 21, 252, 251, 0, 204, nullptr},
    };
    return kControls;
}

const ControlPlace* FindControlPlace(int id) {
    for (const ControlPlace& place : MonitorControls())
        if (place.id == id) return &place;
    return nullptr;
}

}  // namespace monitor
