// CWinApp: the application object. A program defines exactly one global object of a class derived
// from CWinApp; the framework's WinMain (framework/AppMain.cpp) runs InitInstance, then the message
// loop (Run) while InitInstance returned TRUE, then ExitInstance, whose result is the exit code.
#pragma once

#include "framework/Wnd.h"

class CWinThread : public CCmdTarget {
  public:
    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur = {};

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return static_cast<int>(m_msgCur.wParam); }
    // The message loop; returns ExitInstance() when WM_QUIT arrives.
    virtual int Run();
    // Gives the windows under msg->hwnd, innermost first, the chance to take a message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // The same walk without a thread object (modal loops in tests have no application object).
    static BOOL WalkPreTranslateTree(MSG* msg);
};

namespace fw {
// What every message loop of the framework does before dispatching a message.
BOOL PreTranslate(MSG* msg);
}  // namespace fw

class CWinApp : public CWinThread {
  public:
    // A null name takes the title string AFX_IDS_APP_TITLE of the resources, or the module name.
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    LPCTSTR m_pszAppName = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

    virtual BOOL InitApplication() { return TRUE; }
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override { return CWinThread::ExitInstance(); }

    HICON LoadIcon(UINT id) const { return ::LoadIcon(m_hInstance, MAKEINTRESOURCE(id)); }
    HICON LoadStandardIcon(LPCTSTR name) const { return ::LoadIcon(nullptr, name); }
    HCURSOR LoadCursor(UINT id) const { return ::LoadCursor(m_hInstance, MAKEINTRESOURCE(id)); }
    HCURSOR LoadStandardCursor(LPCTSTR name) const { return ::LoadCursor(nullptr, name); }
    BOOL Enable3dControlsStatic() { return TRUE; }  // 3-D controls are always on
    BOOL Enable3dControls() { return TRUE; }

    // The exit command: asks the main window to close.
    afx_msg void OnAppExit();
    // The help command: there is no help file; does nothing.
    afx_msg void OnHelp() {}

    // Called once by WinMain before InitInstance.
    void SetupFromWinMain(HINSTANCE instance, LPTSTR cmdLine, int cmdShow);

  protected:
    // The stand-in application of programs without one (tests): not the program's app.
    struct StandIn {};
    explicit CWinApp(StandIn);

    DECLARE_MESSAGE_MAP()

    CString m_strAppName;
};

namespace fw {
// The program's own application object (the global CWinApp), or null when there is none.
CWinApp* ProgramApp();
}  // namespace fw

// The program's application object. Code running without one (tests) gets a stand-in whose
// instance handle is the executable's, so AfxGetApp()->LoadIcon(128) works everywhere.
CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application title (caption of message boxes): the app's name, else the module name.
CString AfxGetAppTitle();
void AfxEnableControlContainer();
// Loads the rich edit 2.0 library ("RichEdit20W"/"RichEdit20A" classes). TRUE when available.
BOOL AfxInitRichEdit2();
