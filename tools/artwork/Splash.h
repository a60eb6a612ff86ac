#pragma once
// Bitmap 141: the splash screen shown while the camera starts (600 x 430).
#include "tools/artwork/Image.h"

namespace artwork {

Image PaintSplash();

}  // namespace artwork
