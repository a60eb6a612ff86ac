// The program entry of every application built on the framework: the global CWinApp object runs.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int cmdShow) {
    CWinApp* app = ::fw::ProgramApp();
    if (!app) return -1;
    app->SetupFromWinMain(instance, ::GetCommandLine(), cmdShow);
    int code = 0;
    if (!app->InitApplication() || !app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    return code;
}
