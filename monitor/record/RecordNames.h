// Names and decisions of the recorder and the snapshot button that need no window: the numbered
// AVI file, which file a recording goes to and what the counter file holds afterwards, the
// recorder's failure text and whether a chosen snapshot name means a BMP file.
#pragma once

#include <string>

namespace record {

// The text before the last backslash; empty when there is none.
std::string FolderOf(const std::string& path);

// `folder` + "\brenik-%05d.avi" filled with `counter` (7 gives ...\brenik-00007.avi).
std::string NumberedAviFile(const std::string& folder, int counter);

// Where a recording goes. `counter` is the number read from the counter file, `editPath` the path
// shown in the main window, `typedPath` whether the user typed or chose that path in the video
// settings dialog.
struct AviTarget {
    std::string path;       // the file to record
    int nextCounter = 0;    // the counter once the recording has started
    bool showPath = false;  // the main window's path field shows `path` from now on
};
AviTarget ChooseAviTarget(int counter, const std::string& editPath, bool typedPath);

// The message of a recording that could not start or ended with the camera.
const char* RecordFailedText(int displayWidth);

// True when the name's extension (after the last dot of the file name) is "bmp" in any letter case.
bool IsBmpName(const std::string& path);

}  // namespace record
