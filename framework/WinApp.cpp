#include "framework/WinApp.h"

#include <richedit.h>

namespace {
CWinApp* g_app = nullptr;

CString ModuleTitle() {
    TCHAR path[MAX_PATH] = {};
    ::GetModuleFileName(nullptr, path, MAX_PATH - 1);
    CString name(path);
    name = name.Mid(name.ReverseFind('\\') + 1);
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}
}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCTSTR appName) : m_hInstance(::GetModuleHandle(nullptr)) {
    if (appName) m_strAppName = appName;
    m_pszAppName = appName ? m_strAppName.GetString() : nullptr;
    g_app = this;
}

CWinApp::CWinApp(StandIn) : m_hInstance(::GetModuleHandle(nullptr)) {}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

namespace {
class CStandInApp : public CWinApp {
  public:
    CStandInApp() : CWinApp(StandIn{}) {}
};
}  // namespace

CWinApp* fw::ProgramApp() {
    return g_app;
}

void CWinApp::SetupFromWinMain(HINSTANCE instance, LPTSTR cmdLine, int cmdShow) {
    m_hInstance = instance;
    m_lpCmdLine = cmdLine;
    m_nCmdShow = cmdShow;
    if (m_strAppName.IsEmpty() && !m_strAppName.LoadString(AFX_IDS_APP_TITLE)) m_strAppName = ModuleTitle();
    m_pszAppName = m_strAppName;
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinThread::WalkPreTranslateTree(MSG* msg) {
    for (HWND wnd = msg->hwnd; wnd; wnd = ::GetParent(wnd)) {
        if (CWnd* target = CWnd::FromHandlePermanent(wnd)) {
            if (target->PreTranslateMessage(msg)) return TRUE;
        }
        if (!(::GetWindowLongPtr(wnd, GWL_STYLE) & WS_CHILD)) break;
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) {
    if (WalkPreTranslateTree(msg)) return TRUE;
    // The enabled main window also sees messages of windows it does not contain (accelerators).
    HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (main && msg->hwnd && msg->hwnd != main && !::IsChild(main, msg->hwnd) && ::IsWindowEnabled(main))
        return m_pMainWnd->PreTranslateMessage(msg);
    return FALSE;
}

BOOL fw::PreTranslate(MSG* msg) {
    return AfxGetThread()->PreTranslateMessage(msg);
}

int CWinThread::Run() {
    for (;;) {
        BOOL got = ::GetMessage(&m_msgCur, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (!::fw::PreTranslate(&m_msgCur)) {
            ::TranslateMessage(&m_msgCur);
            ::DispatchMessage(&m_msgCur);
        }
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() {
    if (g_app) return g_app;
    static CStandInApp standIn;
    return &standIn;
}
CWinThread* AfxGetThread() {
    return AfxGetApp();
}
CWnd* AfxGetMainWnd() {
    return AfxGetApp()->m_pMainWnd;
}
HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = AfxGetApp();
    return app->m_hInstance ? app->m_hInstance : ::GetModuleHandle(nullptr);
}
HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

CString AfxGetAppTitle() {
    CWinApp* app = AfxGetApp();
    if (app->m_pszAppName && *app->m_pszAppName) return CString(app->m_pszAppName);
    CString title;
    if (title.LoadString(AFX_IDS_APP_TITLE)) return title;
    return ModuleTitle();
}

void AfxEnableControlContainer() {}

BOOL AfxInitRichEdit2() {
    static HMODULE lib = ::LoadLibrary(_T("riched20.dll"));
    return lib != nullptr;
}
