// The application object of PelCamera: finds the program folder, loads Config.xml, sets up the
// language, COM and the rich edit classes, opens the main frame; at exit saves Config.xml.
#pragma once

#include <memory>
#include <string>

#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/settings/CameraStartup.h"
#include "framework/WinApp.h"

namespace pel {
class PelFilterClasses;
}

class CPelCameraApp : public CWinApp {
  public:
    CPelCameraApp();
    ~CPelCameraApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Fills programFolder: the running program's folder with a trailing backslash.
    void ResolveProgramFolder();
    bool LoadSettings();
    void SaveSettings();

    std::wstring programFolder;
    CZelParser settingsDocument;

  protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

  private:
    CameraStartup startup_;
    std::unique_ptr<pel::PelFilterClasses> filterClasses_;
};
