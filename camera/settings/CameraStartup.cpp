#include "camera/settings/CameraStartup.h"

#include <commctrl.h>

#include <vector>

#include "camera/libs/PelUtility/PelLang.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"

namespace {
constexpr LANGID kFallbackLanguage = 1033;
}

bool RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    return InitCommonControlsEx(&controls) != FALSE;
}

std::wstring FolderOfModulePath(const std::wstring& modulePath) {
    size_t slash = modulePath.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : modulePath.substr(0, slash + 1);
}

std::wstring ProgramFolderOfRunningModule() {
    // Grow the buffer until the whole path fits: a cut-off path would name another folder.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            OutputDebugStringW(L"Start-up: GetModuleFileNameW failed\n");
            return std::wstring();
        }
        if (length < buffer.size()) return FolderOfModulePath(std::wstring(buffer.data(), length));
        if (buffer.size() >= 32768) return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

bool LoadSettingsFromFolder(const std::wstring& programFolder, CZelParser& document,
                            WindowsSettingsEnvironment::MessageSink messages) {
    WindowsSettingsEnvironment env(std::move(messages));
    return LoadCameraSettings(programFolder, document, CameraSettings, env);
}

bool SaveSettingsToFolder(const std::wstring& programFolder, const CZelParser& document) {
    return SaveCameraSettings(programFolder, document);
}

LANGID SetUpLanguageComponent(const std::wstring& programFolder, LANGID systemLanguage) {
    CPelLang* language = CPelLang::GetInstance();
    language->SetLanguagePath((programFolder + L"Language\\").c_str());
    if (language->SetLanguageID(systemLanguage) != 0) return systemLanguage;
    return language->SetLanguageID(kFallbackLanguage);
}

bool InitRichEdit2() {
    if (LoadLibraryW(L"riched20.dll")) return true;
    OutputDebugStringW(L"Start-up: riched20.dll could not be loaded\n");
    return false;
}

bool CameraStartup::InitCom() {
    HRESULT hr = CoInitialize(nullptr);
    comInitialized_ = SUCCEEDED(hr);
    if (!comInitialized_) OutputDebugStringW(L"Start-up: CoInitialize failed\n");
    return comInitialized_;
}

void CameraStartup::Exit(const std::wstring& programFolder, const CZelParser& document) {
    if (comInitialized_) {
        CoUninitialize();
        comInitialized_ = false;
    }
    SaveSettingsToFolder(programFolder, document);
    CPelLang::Release();
}
