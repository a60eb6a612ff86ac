#include "camera/app/PelCameraApp.h"

#include <commctrl.h>

#include "framework/FrameWnd.h"
#include "camera/app/resource.h"

BEGIN_MESSAGE_MAP(CPelCameraApp, CWinApp)
END_MESSAGE_MAP()

CPelCameraApp theApp;

BOOL CPelCameraApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    auto* frame = new CFrameWnd;
    m_pMainWnd = frame;
    // A frame that fails to load has already deleted itself (and cleared m_pMainWnd) or was never
    // created; either way it is not touched again.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
        m_pMainWnd = nullptr;
        return FALSE;
    }
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return TRUE;
}
