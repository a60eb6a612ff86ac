// The application object of PelCamera: opens the main frame and runs the message loop.
#pragma once

#include "framework/WinApp.h"

class CPelCameraApp : public CWinApp {
  public:
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
