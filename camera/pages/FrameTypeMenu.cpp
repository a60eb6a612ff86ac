#include "camera/pages/FrameTypeMenu.h"

#include "camera/pages/EffectsFolder.h"

int FillFrameTypePopup(HMENU frameTypePopup, const std::wstring& programFolder) {
    if (!frameTypePopup) return 0;
    while (::GetMenuItemCount(frameTypePopup) > 1) ::DeleteMenu(frameTypePopup, 1, MF_BYPOSITION);
    if (::GetMenuItemCount(frameTypePopup) == 0)
        ::AppendMenuW(frameTypePopup, MF_STRING, kNoFrameCommand, L"No Frame");
    int count = 0;
    for (const std::wstring& name : ListPhotoFrames(programFolder)) {
        const UINT command = kNoFrameCommand + 1 + static_cast<UINT>(count);
        if (command > kLastFrameCommand) break;
        ::AppendMenuW(frameTypePopup, MF_STRING, command, name.c_str());
        ++count;
    }
    return count;
}
