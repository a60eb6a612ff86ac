#include "tests/e2e/driver/Dialogs.h"

#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace e2e {

namespace {
constexpr int kMessageText = 0xFFFF;  // the static that holds a message box's text
// The file name field of the common dialogs: edit edt1 or combo box cmb13.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47C;
}  // namespace

MessageBoxSeen FindMessageBox(DWORD process) {
    for (HWND window : TopWindows(process)) {
        if (ClassOf(window) != L"#32770") continue;
        HWND text = GetDlgItem(window, kMessageText);
        if (!text) continue;
        return {window, TextOf(window), TextOf(text)};
    }
    return {};
}

MessageBoxSeen WaitMessageBox(DWORD process, DWORD ms) {
    MessageBoxSeen box;
    WaitFor(
        [&] {
            box = FindMessageBox(process);
            return box.window;
        },
        ms);
    return box;
}

bool PressAndWaitClosed(HWND dialog, int button, DWORD ms) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, ms);
}

bool Answer(const MessageBoxSeen& box, int button) {
    if (!box.window) return false;
    return PressAndWaitClosed(box.window, button);
}

HWND FindFileDialog(DWORD process) {
    for (HWND window : TopWindows(process)) {
        if (ClassOf(window) != L"#32770") continue;
        if (ChildById(window, kFileNameEdit) || ChildById(window, kFileNameCombo)) return window;
    }
    return nullptr;
}

bool AnswerFileDialog(HWND dialog, const std::wstring& path) {
    HWND field = ChildById(dialog, kFileNameEdit);
    if (!field) field = ChildById(dialog, kFileNameCombo);
    if (!field) {
        Log(L"file dialog without a file name field");
        return false;
    }
    if (!SetText(field, path)) {
        Log(L"file dialog did not take the name " + path);
        return false;
    }
    return PressAndWaitClosed(dialog, IDOK);
}

}  // namespace e2e
