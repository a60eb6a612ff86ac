// The application object of Orvello: its whole life is one modal run of the main window.
#pragma once

#include "framework/WinApp.h"

class COrvelloApp : public CWinApp {
  public:
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
