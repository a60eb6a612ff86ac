#include "monitor/dialogs/AlarmPreview.h"

#include <vfw.h>

#include "framework/ModalHook.h"
#include "framework/WinApp.h"

namespace alarm_preview {

namespace {
// WS_CHILD | NOERRORDLG | NOTIFYMODE | NOMENU | NOAUTOSIZEMOVIE | NOPLAYBAR | NOAUTOSIZEWINDOW.
constexpr DWORD kPlayerStyle = WS_CHILD | MCIWNDF_NOERRORDLG | MCIWNDF_NOTIFYMODE | MCIWNDF_NOMENU |
                               MCIWNDF_NOAUTOSIZEMOVIE | MCIWNDF_NOPLAYBAR | MCIWNDF_NOAUTOSIZEWINDOW;
static_assert(kPlayerStyle == 0x4000410F, "the player's window style");
}  // namespace

HWND Open(HWND mainWindow, HWND current, const CString& soundPath) {
    Stop(current);
    // Only the newest player is kept; an older one would otherwise stay until the program ends.
    if (current && ::IsWindow(current)) ::DestroyWindow(current);
    HWND player = ::MCIWndCreateA(mainWindow, AfxGetInstanceHandle(), kPlayerStyle, soundPath.GetString());
    if (!player) {
        ::OutputDebugStringA("Orvello: MCIWndCreate failed for the alarm preview\n");
        return nullptr;
    }
    ::SendMessageA(player, MCIWNDM_SETINACTIVETIMER, 1, 0);
    ::SendMessageA(player, MCIWNDM_SETACTIVETIMER, 1, 0);
    return player;
}

void Play(HWND owner, HWND player, bool noAudioDevice) {
    if (noAudioDevice) {
        fw::ShowMessageBox(owner, "Not found valid Audio device. Disable Alarm!", "Halmere",
                           MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        return;
    }
    if (player) ::SendMessageA(player, MCIWNDM_PLAYFROM, 0, 0);
}

void Stop(HWND player) {
    if (player) ::SendMessageA(player, MCI_STOP, 0, 0);
}

}  // namespace alarm_preview
