#include "monitor/record/RecordNames.h"

#include <cctype>
#include <cstdio>

namespace record {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string NumberedAviFile(const std::string& folder, int counter) {
    char name[32];
    std::snprintf(name, sizeof name, "\\brenik-%05d.avi", counter);
    return folder + name;
}

AviTarget ChooseAviTarget(int counter, const std::string& editPath, bool typedPath) {
    AviTarget target;
    if (typedPath) {
        // A name of the user's own: exactly that file, and the number stays for the next one.
        target.path = editPath;
        target.nextCounter = counter;
        target.showPath = false;
        return target;
    }
    target.path = NumberedAviFile(FolderOf(editPath), counter);
    target.nextCounter = counter + 1;
    target.showPath = true;
    return target;
}

const char* RecordFailedText(int displayWidth) {
    return displayWidth == 800
               ? "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be "
                 "compatible with size: 800x600.\r\n"
               : "Failed to capture AVI file.Stopping capture!\r\n\r\nThe selected compressor may not be "
                 "compatible with this content.\r\n";
}

bool IsBmpName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string ext = name.substr(dot + 1);
    if (ext.size() != 3) return false;
    return std::toupper(static_cast<unsigned char>(ext[0])) == 'B' &&
           std::toupper(static_cast<unsigned char>(ext[1])) == 'M' &&
           std::toupper(static_cast<unsigned char>(ext[2])) == 'P';
}

}  // namespace record
