// CSystemTray: Orvello's icon in the taskbar notification area. It keeps the icon there when the shell
// restarts ("TaskbarCreated", or a work-area change), offers the small tray menu (resource with the
// icon's id: one pop-up with "Show" and "Exit"), and moves a window out of the taskbar into the tray
// and back. The object is an invisible pop-up window of its own so that it receives the shell's
// broadcasts; the icon's notifications go to the parent given to Create, which passes the ones it does
// not handle itself to OnTrayNotify.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "framework/Handles.h"
#include "framework/Wnd.h"

class CSystemTray : public CWnd {
  public:
    // The longest tooltip, terminator included.
    static constexpr int kMaxTooltipLength = 128;
    // What the shell is told through; tests put a recorder here. Null restores Shell_NotifyIconA.
    using ShellNotifyFn = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAA data);
    static ShellNotifyFn SetShellNotify(ShellNotifyFn notify);

    // Registered once when the program starts.
    static UINT TaskbarCreatedMessage();

    CSystemTray();
    ~CSystemTray() override;

    // callbackMessage 0 means the registered "CSystemTray::TrayNotify" message. The menu is loaded
    // from the resource whose id is the icon's id. Returns whether the shell accepted the icon.
    BOOL Create(CWnd* parent, UINT callbackMessage, LPCSTR tooltip, HICON icon, UINT id,
                BOOL startHidden = FALSE, LPCSTR balloonText = nullptr, LPCSTR balloonTitle = nullptr,
                DWORD balloonIconFlags = NIIF_NONE, UINT balloonTimeoutSeconds = 10);

    // The window that receives the menu's commands; none means the application's main window.
    void SetTargetWindow(CWnd* target) { m_pTargetWnd = target; }
    CWnd* GetTargetWindow() const { return m_pTargetWnd; }

    // Enables or greys an item of the menu's first pop-up; FALSE when the menu has no pop-up.
    BOOL EnableMenuItem(UINT id, BOOL enable);
    // Makes an item (command id, or position when byPosition) the pop-up's default item.
    BOOL SetDefaultMenuItem(UINT item, BOOL byPosition);

    // A notification of the icon: the right button shows the menu, a double click activates the
    // target window. 0 when the id is not this icon's or there is no target window, else 1.
    virtual LRESULT OnTrayNotify(WPARAM id, LPARAM mouseMessage);

    BOOL HideTrayIcon();
    BOOL RemoveTrayIcon();
    // Adds the icon again after the shell restarted, or after an earlier refused add.
    void ReinstallIcon();

    // Takes a window off the taskbar into the tray (hidden), and brings it back.
    static void MoveWindowToTray(CWnd* wnd);
    static void RestoreWindowFromTray(CWnd* wnd);

    // Removes the icon, destroys the menu and the window.
    BOOL DestroyWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // State, for the owner and for tests.
    bool IsHidden() const { return m_bHidden; }
    bool IsRemoved() const { return m_bRemoved; }
    bool IsShowPending() const { return m_bShowPending; }
    bool IsNewShell() const { return m_bNewShell; }
    const NOTIFYICONDATAA& GetNotifyData() const { return m_nid; }
    HMENU GetTrayMenu() const { return m_menu.Get(); }
    // The window that holds windows moved to the tray; null before the first move.
    static HWND GetHolderWindow();

  protected:
    afx_msg LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

  private:
    BOOL Notify(DWORD message);
    HMENU FirstPopup() const;

    bool m_bHidden = true;        // not visible: never added, removed, or hidden by state
    bool m_bRemoved = true;       // not registered with the shell
    bool m_bShowPending = false;  // the last add was refused; retry on the next shell event
    bool m_bNewShell = false;     // icon states and balloons can be used
    NOTIFYICONDATAA m_nid;
    UINT m_nDefaultItem = 0;
    bool m_bDefaultByPos = true;
    CWnd* m_pTargetWnd = nullptr;
    ScopedMenu m_menu;
};
