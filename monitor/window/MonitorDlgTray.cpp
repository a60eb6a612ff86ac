// The tray icon of the main window. Until the notification-area icon exists, hiding to the tray
// minimises the window and showing restores it.
#include "monitor/window/MonitorDlg.h"

void CMonitorDlg::CreateTrayIcon() {}

void CMonitorDlg::ForwardTrayNotify(WPARAM, LPARAM) {}

void CMonitorDlg::MoveToTray() {
    ShowWindow(SW_MINIMIZE);
}

void CMonitorDlg::RestoreFromTray() {
    ShowWindow(SW_RESTORE);
    ::SetForegroundWindow(m_hWnd);
}

void CMonitorDlg::EnableTrayShow(BOOL) {}

void CMonitorDlg::RemoveTrayIcon() {}
