// CCmdTarget: the root of every class with a message map. Commands (menu items, accelerators,
// control notifications) and command-enabling queries are looked up in its map chain.
#pragma once

#include "framework/MessageMap.h"

class CCmdTarget {
  public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Routes command `id` with notification `code` (CN_COMMAND for menus and accelerators,
    // CN_UPDATE_COMMAND_UI with a CCmdUI* in `extra`). Returns TRUE when a handler took it.
    // A CN_COMMAND query with a non-null `extra` only asks whether a handler exists.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra);

    static const ::fw::MessageMap* GetThisMessageMap();
    virtual const ::fw::MessageMap* GetMessageMap() const;

  protected:
    // Looks `kind`/`code`/`id` up in the map chain and runs the first match.
    BOOL DispatchEntry(::fw::EntryKind kind, UINT code, UINT id, ::fw::MsgArgs& args, bool probeOnly = false);
    // Looks a window message up in the map chain.
    BOOL DispatchMessageEntry(::fw::MsgArgs& args);
};
