// The main window's icon in the notification area: made once after the splash screen, its
// notifications passed on, the window moved into the tray and back, removed at teardown.
#include "monitor/resources/MonitorIds.h"
#include "monitor/shell/SystemTray.h"
#include "monitor/window/MonitorDlg.h"

void CMonitorDlg::CreateTrayIcon() {
    // A refused icon is no error: the tray adds it when the shell (re)starts.
    m_tray.Create(this, WM_TRAY_CALLBACK, kCaption, m_hIcon, IDR_TRAY_MENU, FALSE, nullptr, nullptr,
                  NIIF_NONE, 10);
    m_tray.SetTargetWindow(this);
    m_tray.EnableMenuItem(ID_TRAY_EXIT, TRUE);
    m_tray.EnableMenuItem(ID_TRAY_SHOW, FALSE);
    m_tray.SetDefaultMenuItem(0, FALSE);  // by command id 0: no item is the default
}

void CMonitorDlg::ForwardTrayNotify(WPARAM wParam, LPARAM lParam) {
    m_tray.OnTrayNotify(wParam, lParam);
}

void CMonitorDlg::MoveToTray() {
    CSystemTray::MoveWindowToTray(this);
}

void CMonitorDlg::RestoreFromTray() {
    CSystemTray::RestoreWindowFromTray(this);
}

void CMonitorDlg::EnableTrayShow(BOOL enable) {
    m_tray.EnableMenuItem(ID_TRAY_SHOW, enable);
}

void CMonitorDlg::RemoveTrayIcon() {
    m_tray.HideTrayIcon();
    m_tray.RemoveTrayIcon();
}
