// The photo frames in the program's Effects folder, in the order the file system lists them.
#pragma once

#include <string>
#include <vector>

// programFolder ends with a backslash. Folders (also one named like "Frame.bmp") and files that do
// not follow the name rule are left out; a missing folder gives an empty list.
std::vector<std::wstring> ListPhotoFrames(const std::wstring& programFolder);
