// CCmdUI: one command-enabling query for a menu item. Update handlers call Enable/SetCheck/SetText.
#pragma once

#include "framework/String.h"

class CCmdTarget;

class CCmdUI {
  public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;        // position of the item in its menu
    UINT m_nIndexMax = 0;     // number of items in the menu
    HMENU m_hMenu = nullptr;  // the pop-up menu being shown

    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(LPCTSTR text);

    // Asks `target` for the state of this item. Without an update handler the item is enabled
    // when a command handler exists and, if `disableIfNoHandler`, greyed otherwise.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    bool m_bEnableChanged = false;
};
