#include "monitor/dialogs/DialogIcon.h"

#include "framework/WinApp.h"

void SetProgramIcon(const CWnd& dialog) {
    HICON icon = AfxGetApp()->LoadIcon(128);  // shared icon: not destroyed
    dialog.SetIcon(icon, TRUE);
    dialog.SetIcon(icon, FALSE);
}
