// The settings command (32794) and the effects command (32795) of the main frame run these: the
// configuration sheet and the effects sheet, modal, with the given caption; their pages change the
// frame's running picture and write CameraSettings and the settings document on OK. IDOK when the
// sheet closed with OK (the frame then writes the settings file).
#pragma once

#include <windows.h>

#include <string>

class CMainFrame;

INT_PTR RunConfigSheet(CMainFrame& frame, const std::wstring& title);
INT_PTR RunEffectSheet(CMainFrame& frame, const std::wstring& title);
