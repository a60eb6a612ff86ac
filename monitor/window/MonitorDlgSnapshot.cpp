// Snapshots: the Snap Shot button asks the tick for the current picture in a temporary BMP file.
#include "monitor/window/MonitorDlg.h"

CString CMonitorDlg::SnapshotTempPath() {
    return "c:\\bmp.bmp";
}

void CMonitorDlg::OnSnapshot() {
    // The save dialog and the still writer come with snapshots.
}
