// Writes a PIC_PARAM photo as a baseline JPEG file through libjpeg.
#pragma once

#include "camera/libs/PelUtility/PicParam.h"

namespace pelutil {

constexpr int kPhotoJpegQuality = 95;

// `path` is in the system's ANSI code page (plain bytes on the host). False when the photo is
// empty or inconsistent or the file cannot be written; a partly written file is removed.
bool WriteJpegFile(const char* path, const PIC_PARAM& photo, int quality = kPhotoJpegQuality);

}  // namespace pelutil
