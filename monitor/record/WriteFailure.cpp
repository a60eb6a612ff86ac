#include "monitor/record/WriteFailure.h"

#include <windows.h>

#include "monitor/record/RecordNames.h"

namespace record {

bool CanWriteIn(const std::string& folder) {
    char probe[MAX_PATH] = {};
    // Some systems give a name even when the file could not be made: the file itself must exist.
    if (!::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "wrt", 0, probe) ||
        ::GetFileAttributesA(probe) == INVALID_FILE_ATTRIBUTES) {
        const std::string line =
            "Orvello: cannot write to " + folder + " (error " + std::to_string(::GetLastError()) + ")\n";
        ::OutputDebugStringA(line.c_str());
        return false;
    }
    ::DeleteFileA(probe);
    return true;
}

std::string CannotWriteText(const std::string& folder) {
    return "Cannot write to " + folder;
}

std::string PictureNotWrittenText(const std::string& file) {
    const std::string folder = FolderOf(file);
    if (!CanWriteIn(folder)) return CannotWriteText(folder);
    return "Cannot save the image to :\n" + file;
}

}  // namespace record
