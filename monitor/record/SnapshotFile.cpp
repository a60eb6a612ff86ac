#include "monitor/record/SnapshotFile.h"

#include <windows.h>

#include <string>

#include "monitor/imaging/JpegWriter.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/record/RecordNames.h"

namespace record {

namespace {

void Log(const char* what, const CString& path) {
    const std::string line = std::string("Orvello: snapshot: ") + what + " " + path.GetString() + " (error " +
                             std::to_string(::GetLastError()) + ")\n";
    ::OutputDebugStringA(line.c_str());
}

bool HasContent(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
    return data.nFileSizeLow != 0 || data.nFileSizeHigh != 0;
}

// A new file beside `target` to write into before it replaces `target`; empty when none can be made.
std::string PartialBeside(const CString& target) {
    std::string folder = FolderOf(target.GetString());
    if (folder.empty()) folder = ".";
    char partial[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder.c_str(), "snp", 0, partial)) {
        Log("could not make a file beside", target);
        return {};
    }
    return partial;
}

// Puts the complete `partial` in the place of `target`.
bool ReplaceWith(const std::string& partial, const CString& target) {
    if (::MoveFileExA(partial.c_str(), target, MOVEFILE_REPLACE_EXISTING)) return true;
    Log("could not replace", target);
    ::DeleteFileA(partial.c_str());
    return false;
}

}  // namespace

CString SnapshotTempFile() {
    char folder[MAX_PATH + 1] = {};
    const DWORD length = ::GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) {
        // No usable temporary folder: fall back to the current folder.
        return CString("bmp.bmp");
    }
    CString path(folder);
    if (path.Right(1) != "\\") path += "\\";
    return path + "bmp.bmp";
}

bool SaveSnapshot(const CString& tempBmp, const CString& target) {
    if (!HasContent(tempBmp)) {
        Log("no picture was taken for", target);
        return false;
    }
    if (IsBmpName(target.GetString())) {
        if (::MoveFileExA(tempBmp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) return true;
        Log("could not move the picture to", target);
        return false;
    }

    // The JPEG is written beside the target first, so a failed conversion leaves the old file.
    const std::string partial = PartialBeside(target);
    if (partial.empty()) return false;
    CJpegWriter writer;
    writer.ConvertBmpFileToJpeg(tempBmp, partial.c_str());
    if (!HasContent(partial.c_str())) {
        Log("the JPEG could not be written for", target);
        ::DeleteFileA(partial.c_str());
        return false;
    }
    return ReplaceWith(partial, target);
}

bool SaveFrameAsBmp(const BYTE* frame, int width, int height, const CString& target) {
    const std::string partial = PartialBeside(target);
    if (partial.empty()) return false;
    if (!CaptureToFile(frame, partial.c_str(), width, height)) {
        Log("the picture could not be written for", target);
        ::DeleteFileA(partial.c_str());
        return false;
    }
    return ReplaceWith(partial, target);
}

}  // namespace record
