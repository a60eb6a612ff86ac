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

// The file's size; 0 when it does not exist.
ULONGLONG SizeOf(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool HasContent(const char* path) {
    return SizeOf(path) != 0;
}

// A new file beside `target` to write into before it replaces `target`; empty when none can be made.
std::string PartialBeside(const CString& target) {
    std::string folder = FolderOf(target.GetString());
    if (folder.empty()) folder = ".";
    char partial[MAX_PATH] = {};
    // Some systems give a name even when the file could not be made: the file itself must exist.
    if (!::GetTempFileNameA(folder.c_str(), "snp", 0, partial) ||
        ::GetFileAttributesA(partial) == INVALID_FILE_ATTRIBUTES) {
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
        // Copied beside the target first: a copy cut short (a full disk) must not replace the old file.
        const std::string partial = PartialBeside(target);
        if (partial.empty()) return false;
        if (!::CopyFileA(tempBmp, partial.c_str(), FALSE) || SizeOf(partial.c_str()) != SizeOf(tempBmp)) {
            Log("could not copy the picture beside", target);
            ::DeleteFileA(partial.c_str());
            return false;
        }
        return ReplaceWith(partial, target);
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
