#include "framework/CmdUI.h"

#include "framework/CmdTarget.h"

void CCmdUI::Enable(BOOL on) {
    if (m_hMenu)
        ::EnableMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    m_bEnableChanged = true;
}

void CCmdUI::SetCheck(int check) {
    if (m_hMenu) ::CheckMenuItem(m_hMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(BOOL on) {
    SetCheck(on ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR text) {
    if (!m_hMenu) return;
    UINT state = ::GetMenuState(m_hMenu, m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    ::ModifyMenu(m_hMenu, m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, text);
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = false;
    BOOL handled = target->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this);
    if (!handled || !m_bEnableChanged) {
        // No update handler decided: an item is usable exactly when something handles it.
        int probe = 0;
        BOOL hasHandler = target->OnCmdMsg(m_nID, CN_COMMAND, &probe);
        if (!m_bEnableChanged && (hasHandler || disableIfNoHandler)) Enable(hasHandler);
    }
    return handled;
}
