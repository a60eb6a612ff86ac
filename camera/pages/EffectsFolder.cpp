#include "camera/pages/EffectsFolder.h"

#include <windows.h>

#include "camera/pages/PhotoFrameName.h"

std::vector<std::wstring> ListPhotoFrames(const std::wstring& programFolder) {
    std::vector<std::wstring> names;
    const std::wstring pattern = programFolder + L"Effects\\*.*";
    WIN32_FIND_DATAW entry{};
    HANDLE find = ::FindFirstFileW(pattern.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;  // ".", ".." and folders
        std::wstring name;
        if (PhotoFrameNameFromFile(entry.cFileName, name)) names.push_back(name);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return names;
}
