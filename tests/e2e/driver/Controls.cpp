#include "tests/e2e/driver/Controls.h"

#include <commctrl.h>

#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/WindowFinder.h"

namespace e2e {

namespace {

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 3000, &result)) return -1;
    return static_cast<LRESULT>(result);
}

// A selection set by message raises no notification: the owner gets the one a click would send,
// and has handled it (filled lists that depend on it) when this returns.
bool SelectAndNotify(HWND combo, LRESULT index) {
    if (index < 0 || Send(combo, CB_SETCURSEL, index, 0) != index) return false;
    return Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                reinterpret_cast<LPARAM>(combo)) != -1;
}

}  // namespace

bool SelectComboItemByData(HWND combo, LPARAM data) {
    const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (Send(combo, CB_GETITEMDATA, i, 0) == data) return SelectAndNotify(combo, i);
    Log(L"no list item with the data " + std::to_wstring(data));
    return false;
}

bool SelectComboItemByText(HWND combo, const std::wstring& text) {
    // The item texts of another process's list are not read back by message; a combo box with an
    // edit field shows the selected item's text there.
    HWND field = ChildByClass(combo, L"Edit");
    const LRESULT count = Send(combo, CB_GETCOUNT, 0, 0);
    std::wstring seen;
    for (LRESULT i = 0; field && i < count; ++i) {
        if (Send(combo, CB_SETCURSEL, i, 0) != i) continue;
        const std::wstring item = TextOf(field);
        if (item == text) return SelectAndNotify(combo, i);
        seen += L" '" + item + L"'";
    }
    Log(L"no list item " + text + L" among" + seen);
    return false;
}

bool SelectFirstChildInTree(HWND tree, DWORD ms) {
    const auto selected = static_cast<LPARAM>(Send(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (selected <= 0) return false;
    // The children of a folder are filled in when it opens.
    Send(tree, TVM_EXPAND, TVE_EXPAND, selected);
    LPARAM child = 0;
    WaitUntil(
        [&] {
            child = static_cast<LPARAM>(Send(tree, TVM_GETNEXTITEM, TVGN_CHILD, selected));
            return child > 0;
        },
        ms);
    if (child <= 0) {
        Log(L"the tree's selected item has no child");
        return false;
    }
    return Send(tree, TVM_SELECTITEM, TVGN_CARET, child) != 0;
}

}  // namespace e2e
