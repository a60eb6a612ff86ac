// The settings command (32794) and the effects command (32795) of the main frame run these: the
// configuration sheet and the effects sheet, modal, with the given caption. IDOK when the sheet
// closed with OK (the frame then writes the settings file).
#pragma once

#include <windows.h>

#include <string>

INT_PTR RunConfigSheet(const std::wstring& title);
INT_PTR RunEffectSheet(const std::wstring& title);
