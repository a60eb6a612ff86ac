// Finding another process's windows and controls by class, caption and control id, and acting on
// them with messages (posted where the target may open a modal window in its handler).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);  // WM_GETTEXT, answered by the owning thread
DWORD ProcessOf(HWND window);

// Visible top-level windows of a process.
std::vector<HWND> TopWindows(DWORD process);
// All descendants of a window.
std::vector<HWND> Descendants(HWND parent);
// First descendant with this control id (null when none).
HWND ChildById(HWND parent, int id);
// First descendant of this class (null when none).
HWND ChildByClass(HWND parent, const std::wstring& className);

// Polls every 50 ms until test gives a window or ms pass.
HWND WaitFor(const std::function<HWND()>& test, DWORD ms);
// A visible top-level window of the process that matches the class (empty: any) and holds a
// descendant with the id (0: any).
HWND FindTop(DWORD process, const std::wstring& className, int childId = 0);
HWND WaitTop(DWORD process, const std::wstring& className, int childId, DWORD ms);
HWND WaitTopByCaption(DWORD process, const std::wstring& caption, DWORD ms);
// Waits until cond() holds or ms pass; gives cond()'s last answer.
bool WaitUntil(const std::function<bool()>& cond, DWORD ms);

// WM_COMMAND (BN_CLICKED from control id) posted to window: a button press or a menu command.
void PostCommand(HWND window, int id);
// A button's own click (BM_CLICK), posted.
void Click(HWND button);
// The text of a control, set through WM_SETTEXT.
bool SetText(HWND control, const std::wstring& text);
void SetCheck(HWND button, bool checked);
bool IsChecked(HWND button);
SIZE ClientSize(HWND window);
// Whether the shell holds the notification-area icon that window registered under id.
bool TrayIconShown(HWND window, UINT id);
// Lets the target's message loop run for a while (the driver's own thread sleeps).
void Pause(DWORD ms);

}  // namespace e2e

namespace e2e {
// Logs every visible top-level window of the process with its class, caption and controls: what
// a failed journey saw.
void DumpWindows(DWORD process);
}  // namespace e2e
