#include "framework/CmdTarget.h"

const ::fw::MessageMap* CCmdTarget::GetThisMessageMap() {
    static const ::fw::MessageMapEntry entries[] = {{::fw::EntryKind::End, 0, 0, 0, 0, nullptr}};
    static const ::fw::MessageMap map = {nullptr, entries};
    return &map;
}

const ::fw::MessageMap* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CCmdTarget::DispatchEntry(::fw::EntryKind kind, UINT code, UINT id, ::fw::MsgArgs& args,
                               bool probeOnly) {
    for (const ::fw::MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const ::fw::MessageMapEntry* e = map->entries; e->kind != ::fw::EntryKind::End; ++e) {
            if (e->kind != kind || e->code != code || id < e->firstId || id > e->lastId) continue;
            if (probeOnly) return TRUE;
            if (e->handler(this, args)) return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::DispatchMessageEntry(::fw::MsgArgs& args) {
    for (const ::fw::MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const ::fw::MessageMapEntry* e = map->entries; e->kind != ::fw::EntryKind::End; ++e) {
            if (e->kind == ::fw::EntryKind::Message && e->message == args.message && e->handler(this, args))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra) {
    if (static_cast<UINT>(code) == CN_UPDATE_COMMAND_UI) {
        ::fw::MsgArgs args{WM_COMMAND, id, reinterpret_cast<LPARAM>(extra), 0};
        return DispatchEntry(::fw::EntryKind::UpdateUI, CN_UPDATE_COMMAND_UI, id, args);
    }
    ::fw::MsgArgs args{WM_COMMAND, id, 0, 0};
    bool probe = code == CN_COMMAND && extra != nullptr;
    return DispatchEntry(::fw::EntryKind::Command, static_cast<UINT>(code), id, args, probe);
}
