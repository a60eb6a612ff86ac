// The message for a file the user asked for that was not written: a folder that takes no new file
// is named as such, so that the user looks at the folder and not at the compressor or the camera.
#pragma once

#include <string>

namespace record {

// True when a new file can be made in `folder` (the current folder when empty). The probe file is
// removed again.
bool CanWriteIn(const std::string& folder);

// "Cannot write to <folder>".
std::string CannotWriteText(const std::string& folder);

// The message for a picture that did not reach `file`: CannotWriteText of its folder when nothing can
// be written there, else "Cannot save the image to :\n<file>".
std::string PictureNotWrittenText(const std::string& file);

}  // namespace record
