// The name rule of the Effects folder: a file is a photo frame when its name, from its first dot
// on, is ".bmp" in any letter case; the frame's name is the part before that dot.
#pragma once

#include <string>

// True with the frame name for "Gold.bmp" and "gold.BMP"; false for "Wood.bmp.bak", "a.b.bmp",
// ".bmp" (no name) and names without a dot.
bool PhotoFrameNameFromFile(const std::wstring& fileName, std::wstring& frameName);
