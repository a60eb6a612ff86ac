// The settings command (32794) and the effects command (32795) of the main frame run these: the
// configuration sheet or the effects sheet, modal, with the caption from the language; their pages
// change the frame's running picture and write CameraSettings and the settings document on OK.
// After OK the frame's settings file is written. IDOK when the sheet closed with OK.
#pragma once

#include <windows.h>

class CMainFrame;

INT_PTR RunSheetCommand(CMainFrame& frame, UINT command);
