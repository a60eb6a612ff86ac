#include "monitor/window/PreviewPlacement.h"

namespace monitor {

WindowBox PlacePreviewBeside(const WindowBox& main, int frameWidth, int frameHeight, int displayWidth,
                             int displayHeight) {
    WindowBox box;
    box.left = main.left - frameWidth - displayWidth;
    if (box.left < 0) box.left = 0;
    box.top = main.top + (main.height - displayHeight) / 2;
    if (box.top < 0) box.top = 0;
    box.width = displayWidth + frameWidth;
    box.height = displayHeight + frameHeight;
    return box;
}

}  // namespace monitor
