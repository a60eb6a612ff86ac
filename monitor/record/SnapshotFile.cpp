#include "monitor/record/SnapshotFile.h"

#include <windows.h>

#include <string>

#include "monitor/imaging/JpegWriter.h"
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
    std::string folder = FolderOf(target.GetString());
    if (folder.empty()) folder = ".";
    char partial[MAX_PATH] = {};
    if (!::GetTempFileNameA(folder.c_str(), "snp", 0, partial)) {
        Log("could not make a file beside", target);
        return false;
    }
    CJpegWriter writer;
    writer.ConvertBmpFileToJpeg(tempBmp, partial);
    if (!HasContent(partial)) {
        Log("the JPEG could not be written for", target);
        ::DeleteFileA(partial);
        return false;
    }
    if (!::MoveFileExA(partial, target, MOVEFILE_REPLACE_EXISTING)) {
        Log("could not replace", target);
        ::DeleteFileA(partial);
        return false;
    }
    return true;
}

}  // namespace record
