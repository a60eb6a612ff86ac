#pragma once
// Small pictures: the overlay icons stamped on the video, the program icon, the button cursor and
// the About box's hidden picture.
#include "tools/artwork/IconFile.h"
#include "tools/artwork/Image.h"

namespace artwork {

Image PaintCameraIcon();           // bitmap 198, 38 x 26, copied opaque into frames
Image PaintTargetIcon();           // bitmap 257, 35 x 36, magenta pixels are skipped when stamped
RgbaImage PaintAppIcon(int size);  // icon 128 at 16, 32 or 48 pixels
RgbaImage PaintHandCursor();       // cursor 193, 32 x 32
CursorHotSpot HandCursorHotSpot();
Image PaintAboutPicture();  // 160 x 120

// The target icon's transparency test: pixels the stamp skips.
inline bool TargetIconSkips(Rgb c) {
    return c.b >= 250 && c.g <= 4 && c.r >= 251;
}

}  // namespace artwork
