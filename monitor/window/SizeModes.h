// The display sizes of the size buttons: what the preview shows, what the camera is opened at and
// whether the picture is doubled.
#pragma once

namespace monitor {

struct SizeMode {
    int buttonId;
    int displayWidth, displayHeight;
    int captureWidth, captureHeight;
    bool zoom;
    int sizeMode;  // m_nSizeMode: 4 and 5 are the doubled sizes
};

// Null for an id that is not a size button.
const SizeMode* FindSizeMode(int buttonId);
// The first size of a given m_nSizeMode (0 to 5); null for any other value.
const SizeMode* FindSizeModeByIndex(int sizeMode);
// The size buttons in template order.
constexpr int kSizeButtonIds[7] = {1000, 1001, 1002, 1003, 1004, 1005, 1071};

}  // namespace monitor
