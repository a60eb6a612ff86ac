// The files of a snapshot: the temporary BMP the tick writes and the copy or JPEG conversion of it
// to the name the user chose; and the timer shot's BMP, which replaces its file the same way.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace record {

// "bmp.bmp" in the user's temporary folder: a place an ordinary user can always write to.
CString SnapshotTempFile();

// Puts the picture of `tempBmp` under `target`: copied there when the name ends in ".bmp" (any letter
// case), otherwise converted to JPEG. An existing file at `target` is replaced only once the new
// picture is complete; without a picture, or when the write fails, it stays as it was. True when
// `target` now holds the new picture. The temporary file is left to the caller.
bool SaveSnapshot(const CString& tempBmp, const CString& target);

// Writes the frame (24-bit bottom-up BGR) as a BMP file under `target`. The picture is written
// beside it first: an existing file is replaced only by a complete new one. True when `target` now
// holds the new picture.
bool SaveFrameAsBmp(const BYTE* frame, int width, int height, const CString& target);

}  // namespace record
