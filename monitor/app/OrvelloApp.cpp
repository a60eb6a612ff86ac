#include "monitor/app/OrvelloApp.h"

#include "monitor/window/MonitorDlg.h"

BEGIN_MESSAGE_MAP(COrvelloApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

COrvelloApp theApp;

BOOL COrvelloApp::InitInstance() {
    AfxEnableControlContainer();
    Enable3dControlsStatic();
    CMonitorDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The modal run was the program: end without a message loop of our own.
    return FALSE;
}
