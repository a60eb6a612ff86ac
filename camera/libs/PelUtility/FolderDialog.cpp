#include "camera/libs/PelUtility/FolderDialog.h"

#include <shlobj.h>

namespace {

CFolderDialog::AnswerHook& Hook() {
    static CFolderDialog::AnswerHook hook;
    return hook;
}

}  // namespace

CFolderDialog::CFolderDialog(LPCWSTR folder, UINT flags, HWND parent)
    : startFolder_(folder ? folder : L""), flags_(flags), parent_(parent) {}

void CFolderDialog::SetAnswerHookForTesting(AnswerHook hook) {
    Hook() = std::move(hook);
}

int CALLBACK CFolderDialog::OnBrowseEvent(HWND window, UINT message, LPARAM, LPARAM data) {
    auto* self = reinterpret_cast<CFolderDialog*>(data);
    if (message == BFFM_INITIALIZED && !self->startFolder_.empty()) {
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(self->startFolder_.c_str()));
    }
    return 0;
}

INT_PTR CFolderDialog::DoModal() {
    path_.clear();
    if (Hook()) {
        std::wstring chosen;
        if (!Hook()(startFolder_, flags_, chosen)) return IDCANCEL;
        path_ = chosen;
        return IDOK;
    }
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info{};
    info.hwndOwner = parent_;
    info.pszDisplayName = display;
    info.ulFlags = flags_;
    info.lpfn = &CFolderDialog::OnBrowseEvent;
    info.lParam = reinterpret_cast<LPARAM>(this);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return IDCANCEL;
    wchar_t path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(chosen, path);
    CoTaskMemFree(chosen);
    if (!ok) {
        OutputDebugStringW(L"CFolderDialog: the chosen item is not a file-system folder\n");
        return IDCANCEL;
    }
    path_ = path;
    return IDOK;
}
