// CFolderDialog: the shell's folder chooser (SHBrowseForFolderW), opened at a given folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class CFolderDialog {
  public:
    // `folder` is selected when the chooser opens; `flags` are BIF_ flags (0x41: file-system
    // folders only, new dialog style).
    CFolderDialog(LPCWSTR folder, UINT flags, HWND parent);

    // IDOK (1) when the user chose a folder, IDCANCEL (2) otherwise.
    INT_PTR DoModal();
    // The chosen folder, without a trailing backslash (except for a drive root such as "C:\").
    std::wstring GetPathName() const { return path_; }

    // Tests answer the chooser instead of the user: the hook gets the start folder and the flags
    // and returns true with a path for OK, false for Cancel. An empty hook shows the real chooser.
    using AnswerHook = std::function<bool(const std::wstring& startFolder, UINT flags, std::wstring& path)>;
    static void SetAnswerHookForTesting(AnswerHook hook);

  private:
    static int CALLBACK OnBrowseEvent(HWND window, UINT message, LPARAM param, LPARAM data);

    std::wstring startFolder_;
    UINT flags_;
    HWND parent_;
    std::wstring path_;
};
