// Message boxes and common file dialogs of another process, found and answered from outside.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

struct MessageBoxSeen {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};

// A message box (#32770 with the message static 0xFFFF) shown by the process, or an empty result.
MessageBoxSeen FindMessageBox(DWORD process);
MessageBoxSeen WaitMessageBox(DWORD process, DWORD ms);
// Presses a button of the box (IDOK, IDCANCEL...) and waits until the box is gone.
bool Answer(const MessageBoxSeen& box, int button = IDOK);

// The common open/save dialog of the process (a #32770 with a file name field), or null.
HWND FindFileDialog(DWORD process);
// Types the full path into the dialog's file name field and presses Save/OK.
bool AnswerFileDialog(HWND dialog, const std::wstring& path);
// Presses a dialog's button (posted WM_COMMAND with the button's handle) and waits until it closes.
bool PressAndWaitClosed(HWND dialog, int button, DWORD ms = 5000);

}  // namespace e2e
