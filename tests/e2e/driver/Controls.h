// Lists, combo boxes and trees of another process's dialogs, set the way a user's choice sets them:
// the selection changes and the owner hears of it as from the control itself.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Selects the item of a drop-down list whose item data is `data` (a colour list's COLORREF).
bool SelectComboItemByData(HWND combo, LPARAM data);
// Selects the item with exactly this text, in a combo box with an edit field.
bool SelectComboItemByText(HWND combo, const std::wstring& text);
// Opens the tree's selected item and selects its first child; false when it has none.
bool SelectFirstChildInTree(HWND tree, DWORD ms = 5000);

}  // namespace e2e
