// How the main frame's settings command (32794) and effects command (32795) run their sheets:
// caption from the language ("MainMenu", the command id; "Config" / "Effect" when it has none),
// the sheet built now so its page copies CameraSettings, run modally. After OK the caller writes
// the settings file; after Cancel or the close box nothing is written.
#pragma once

#include <windows.h>

#include <string>

#include "camera/pages/PageHost.h"

constexpr UINT kSettingsCommand = 32794;
constexpr UINT kEffectsCommand = 32795;

std::wstring SheetCaption(UINT command, const wchar_t* fallback);

// IDOK when the sheet closed with OK, else IDCANCEL.
INT_PTR RunConfigSheet(PageHost& host, const std::wstring& caption);
INT_PTR RunEffectSheet(PageHost& host, const std::wstring& caption);
