// The frame-type menu (resource 314): pop-up "Tray Menu" holding the pop-up "Frame Type", whose
// first item is "No Frame" (32813). The photo frames of the Effects folder are appended to
// "Frame Type" as commands 32814 onwards, in the order the folder lists them, so that item
// position = command id - 32813 and the item's text is the frame name. The main frame refills it
// every time it shows it (right-click on the picture), so new bitmaps appear without a restart.
#pragma once

#include <windows.h>

#include <string>

constexpr UINT kNoFrameCommand = 32813;
constexpr UINT kLastFrameCommand = 32913;

// Leaves "No Frame" and replaces everything behind it with the frames (at most 100). Returns the
// number of frames put in.
int FillFrameTypePopup(HMENU frameTypePopup, const std::wstring& programFolder);
