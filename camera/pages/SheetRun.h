// How the main frame's settings command (32794) and effects command (32795) run their sheets:
// caption from the language ("MainMenu", the command id; "Config" / "Effect" when it has none),
// the sheet built now so its page copies CameraSettings, run modally. After OK the settings file is
// written; after Cancel or the close box nothing is written.
#pragma once

#include <windows.h>

#include <functional>

#include "camera/pages/PageHost.h"

constexpr UINT kSettingsCommand = 32794;
constexpr UINT kEffectsCommand = 32795;

// Runs the sheet of `command` (the effects sheet for kEffectsCommand, else the configuration
// sheet) and calls `saveAfterOk`, when set, after OK. IDOK when the sheet closed with OK, else
// IDCANCEL.
INT_PTR RunSheetCommand(UINT command, PageHost& host, const std::function<void()>& saveAfterOk = {});
