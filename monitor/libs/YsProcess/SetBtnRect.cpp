#include "monitor/libs/YsProcess/YsProcess.h"

BOOL SetBtnRect(HWND control, int x, int y) {
    if (!control) return FALSE;
    return ::SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
