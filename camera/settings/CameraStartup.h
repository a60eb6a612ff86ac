// The start-up and exit steps of the camera program that need no window. The application object
// calls them in this order (its own LoadSettings/SaveSettings/ResolveProgramFolder members wrap
// the functions below, whose names differ so that the members do not hide them):
//
//   InitInstance:  RegisterCommonControls(); CWinApp::InitInstance();
//                  programFolder = ProgramFolderOfRunningModule();
//                  if (!LoadSettingsFromFolder(programFolder, settingsDocument,
//                                              [](const std::wstring& t) { AfxMessageBox(t.c_str()); }))
//                      return false;
//                  SetUpLanguageComponent(programFolder); startup.InitCom(); InitRichEdit2();
//                  ... create and show the main frame ...
//   ExitInstance:  startup.Exit(programFolder, settingsDocument); return CWinApp::ExitInstance();
//
// Exit runs also after a failed start, so Config.xml is written at every end of the program.
#pragma once

#include <windows.h>

#include <string>

#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/settings/WindowsSettingsEnvironment.h"

// InitCommonControlsEx with all the classes of the first common controls (flags 0xFF).
bool RegisterCommonControls();

// Folder of the running program file, ending with a backslash. Works for paths of any length.
std::wstring ProgramFolderOfRunningModule();
// The folder part (up to and including the last backslash) of a module path.
std::wstring FolderOfModulePath(const std::wstring& modulePath);

// Loads Config.xml into `document` and the global CameraSettings. `messages` overrides the
// message box (tests, or the framework's message seam).
bool LoadSettingsFromFolder(const std::wstring& programFolder, CZelParser& document,
                            WindowsSettingsEnvironment::MessageSink messages = nullptr);
// Writes `document` to Config.xml; failures are not reported (the result is for tests).
bool SaveSettingsToFolder(const std::wstring& programFolder, const CZelParser& document);

// Sets up the language component: folder programFolder + "Language\", the system's default
// language, else 1033. Returns the language that is in effect (0 when no file was found).
LANGID SetUpLanguageComponent(const std::wstring& programFolder,
                              LANGID systemLanguage = GetSystemDefaultLangID());

// Loads the rich edit library of the "RichEdit20W" class. False when it is missing.
bool InitRichEdit2();

// COM for the main thread and the exit steps.
class CameraStartup {
  public:
    // CoInitialize for the main thread.
    bool InitCom();
    // CoUninitialize (only after a successful InitCom), SaveSettings, CPelLang::Release.
    void Exit(const std::wstring& programFolder, const CZelParser& document);

  private:
    bool comInitialized_ = false;
};
