#include "tests/e2e/driver/WindowFinder.h"

#include <shellapi.h>

#include <cstdio>

namespace e2e {

std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 3000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 3000, &copied))
        return {};
    text.resize(copied);
    return text;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

namespace {
struct TopSearch {
    DWORD process;
    std::vector<HWND> found;
};
BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopSearch*>(data);
    if (ProcessOf(window) == search->process && IsWindowVisible(window)) search->found.push_back(window);
    return TRUE;
}
BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopWindows(DWORD process) {
    TopSearch search{process, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND ChildById(HWND parent, int id) {
    for (HWND child : Descendants(parent))
        if (GetDlgCtrlID(child) == id) return child;
    return nullptr;
}

HWND ChildByClass(HWND parent, const std::wstring& className) {
    for (HWND child : Descendants(parent))
        if (_wcsicmp(ClassOf(child).c_str(), className.c_str()) == 0) return child;
    return nullptr;
}

HWND WaitFor(const std::function<HWND()>& test, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND found = test()) return found;
        if (GetTickCount() - start >= ms) return nullptr;
        Sleep(50);
    }
}

bool WaitUntil(const std::function<bool()>& cond, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (GetTickCount() - start >= ms) return cond();
        Sleep(50);
    }
}

HWND FindTop(DWORD process, const std::wstring& className, int childId) {
    for (HWND window : TopWindows(process)) {
        if (!className.empty() && ClassOf(window) != className) continue;
        if (childId && !ChildById(window, childId)) continue;
        return window;
    }
    return nullptr;
}

HWND WaitTop(DWORD process, const std::wstring& className, int childId, DWORD ms) {
    return WaitFor([&] { return FindTop(process, className, childId); }, ms);
}

HWND WaitTopByCaption(DWORD process, const std::wstring& caption, DWORD ms) {
    return WaitFor(
        [&]() -> HWND {
            for (HWND window : TopWindows(process))
                if (TextOf(window) == caption) return window;
            return nullptr;
        },
        ms);
}

void PostCommand(HWND window, int id) {
    HWND control = nullptr;
    if (id != 0) control = GetDlgItem(window, id);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool SetText(HWND control, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 3000, &result) != 0;
}

void SetCheck(HWND button, bool checked) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0, SMTO_ABORTIFHUNG, 3000,
                        &result);
}

bool IsChecked(HWND button) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 3000, &result);
    return result == BST_CHECKED;
}

SIZE ClientSize(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void Pause(DWORD ms) {
    Sleep(ms);
}

}  // namespace e2e

namespace e2e {

void DumpWindows(DWORD process) {
    for (HWND window : TopWindows(process)) {
        std::wstring line = L"window " + ClassOf(window) + L" \"" + TextOf(window) + L"\":";
        for (HWND child : Descendants(window)) {
            line += L" " + std::to_wstring(GetDlgCtrlID(child)) + L"/" + ClassOf(child);
            if (!IsWindowVisible(child)) line += L"(hidden)";
        }
        std::fwprintf(stderr, L"e2e: %ls\n", line.c_str());
    }
}

bool TrayIconShown(HWND window, UINT id) {
    // A modify that changes nothing: the shell accepts it only for an icon it holds.
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = id;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

}  // namespace e2e
