#pragma once
// Where Orvello's main window places its skinned buttons (skin pixels) and which pictures they use.
// The same table drives the skin's painting, the button pictures and the artwork tests.
#include <vector>

namespace artwork {

constexpr int kSkinWidth = 360;
constexpr int kSkinHeight = 355;
constexpr int kButtonWidth = 74;
constexpr int kButtonHeight = 21;

struct ButtonPlace {
    int controlId;
    int x, y;  // -1 when the window leaves the place to the program
    int width, height;
    int normal, checked, disabled, mask;  // bitmap ids, 0 = none
};

inline const std::vector<ButtonPlace>& SkinButtons() {
    static const std::vector<ButtonPlace> kButtons = {
        {1046, 8, 5, 14, 14, 236, 236, 0, 235},       // close
        {1054, 29, 5, 14, 14, 239, 239, 0, 238},      // minimise to the tray
        {1044, 271, 33, 74, 21, 208, 203, 0, 204},    // audio settings
        {1068, 271, 56, 74, 21, 206, 205, 249, 204},  // record-audio switch
        {1027, 271, 90, 74, 21, 208, 207, 0, 204},    // video settings
        {1000, 17, 163, 74, 21, 210, 209, 210, 204}, {1001, 100, 163, 74, 21, 212, 211, 212, 204},
        {1002, 183, 163, 74, 21, 214, 213, 0, 204},  {1003, 266, 163, 74, 21, 216, 215, 0, 204},
        {1004, 17, 194, 74, 21, 218, 217, 0, 204},   {1005, 100, 194, 74, 21, 220, 219, 0, 204},
        {1071, 183, 194, 74, 21, 260, 261, 0, 204},  {1008, 16, 247, 74, 21, 222, 221, 0, 204},  // clock
        {1012, 99, 247, 74, 21, 224, 223, 0, 204},                                               // timer shot
        {1009, 183, 247, 74, 21, 226, 225, 0, 204},                                              // snapshot
        {1036, 265, 247, 74, 21, 228, 227, 0, 204},  // timer shot settings
        {1056, 99, 278, 74, 21, 231, 229, 0, 204},   // recorder
        {1057, 99, 278, 18, 21, 248, 0, 246, 247},   // recording lamp over the recorder
        {1013, 183, 278, 74, 21, 233, 232, 0, 204},  // about
        {1055, 17, 311, 164, 15, 242, 0, 0, 240},    // audio-recording strip
        {1069, -1, -1, 74, 21, 252, 251, 0, 204},    // monitor (hidden in the shipped layout)
    };
    return kButtons;
}

// Rows of the skin that carry the text labels of the combo boxes and the edit field.
struct FieldLabel {
    int y;  // top of the control
    const char* text;
};

inline const std::vector<FieldLabel>& SkinFieldLabels() {
    static const std::vector<FieldLabel> kLabels = {
        {33, "Audio input"}, {56, "Audio codec"}, {90, "Video file"}, {113, "Video codec"}};
    return kLabels;
}

}  // namespace artwork
