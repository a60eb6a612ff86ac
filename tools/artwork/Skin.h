#pragma once
// Bitmap 142: the main window's face. Pixels outside the window's shape carry the key colour.
#include "tools/artwork/Image.h"

namespace artwork {

// True for pixels that belong to the window (everything else is the key colour).
bool SkinInside(int x, int y);
Image PaintSkin();

}  // namespace artwork
