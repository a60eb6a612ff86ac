// Snapshots: the Snap Shot button asks the tick for the current picture in a temporary BMP file
// while the save dialog is open, then moves it to the chosen name or converts it to JPEG there.
#include "framework/FileDialog.h"
#include "monitor/record/SnapshotFile.h"
#include "monitor/record/WriteFailure.h"
#include "monitor/window/MonitorDlg.h"

CString CMonitorDlg::SnapshotTempPath() {
    return record::SnapshotTempFile();
}

void CMonitorDlg::OnSnapshot() {
    // A request the tick has not answered yet (no frame arrived) is still pending.
    if (m_bSnapRequest) return;
    m_bSnapRequest = 1;  // the next tick with a frame writes the temporary file

    // The tick keeps running while the dialog is open: the picture is the one of the click.
    CFileDialog dialog(FALSE, "*.jpg", "SnapCap", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "JPG Files (*.jpg)|*.jpg|BMP Files (*.bmp)|*.bmp|", nullptr);
    const CString temp = SnapshotTempPath();
    if (dialog.DoModal() == IDOK) {
        // The chosen file is replaced only once the new picture exists.
        const CString target = dialog.GetPathName();
        if (!record::SaveSnapshot(temp, target))
            Message(record::PictureNotWrittenText(target.GetString()).c_str(), MB_ICONEXCLAMATION);
    }
    ::DeleteFileA(temp);  // a failure to delete is of no consequence
}
