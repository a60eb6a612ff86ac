#include "camera/settings/WindowsSettingsEnvironment.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "camera/libs/PelUtility/PelDS.h"
#include "camera/resources/DefaultConfig.h"

namespace {
constexpr UINT kApplicationTitleString = 57344;
}

bool WindowsSettingsEnvironment::WriteDefaultDocument(const std::wstring& path) {
    return PelDS::Res2File(kDefaultConfigResourceId, kDefaultConfigResourceType, path.c_str()) != FALSE;
}

bool WindowsSettingsEnvironment::IsDirectory(const std::wstring& path) {
    return PathIsDirectoryW(path.c_str()) != FALSE;
}

bool WindowsSettingsEnvironment::GetPicturesFolder(std::wstring& folder) {
    wchar_t buffer[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, buffer, CSIDL_MYPICTURES, TRUE)) {
        OutputDebugStringW(L"Settings: SHGetSpecialFolderPathW(CSIDL_MYPICTURES) failed\n");
        return false;
    }
    folder = buffer;
    return true;
}

std::wstring WindowsSettingsEnvironment::ApplicationTitle() {
    const wchar_t* text = nullptr;
    int length =
        LoadStringW(GetModuleHandleW(nullptr), kApplicationTitleString, reinterpret_cast<LPWSTR>(&text), 0);
    if (length > 0 && text) return std::wstring(text, static_cast<size_t>(length));
    return L"PelCamera";
}

void WindowsSettingsEnvironment::ShowMessage(const std::wstring& text) {
    if (sink_) {
        sink_(text);
        return;
    }
    MessageBoxW(nullptr, text.c_str(), ApplicationTitle().c_str(), MB_OK);
}
