// Where the preview popup goes: its right edge against the main window's left edge, centred on it
// vertically, never off the screen's left or top edge.
#pragma once

namespace monitor {

struct WindowBox {
    int left, top, width, height;
};

// main: the main window's rectangle (left, top, width, height); frameWidth/frameHeight: the
// preview's window size minus its client size.
WindowBox PlacePreviewBeside(const WindowBox& main, int frameWidth, int frameHeight, int displayWidth,
                             int displayHeight);

}  // namespace monitor
