// The alarm preview player: a hidden media-control window, child of the main monitor window, that
// plays the chosen alarm sound. The main window keeps the newest player's handle (m_hAlarmPlayer)
// and implements its OpenAlarmPreview / PlayAlarmPreview / StopAlarmPreview with these.
#pragma once

#include <windows.h>

#include "framework/String.h"

namespace alarm_preview {

// Stops `current` (if any), destroys it and makes a new player for `soundPath`; returns its handle
// (null when the window could not be made). A missing or unreadable file shows no error.
HWND Open(HWND mainWindow, HWND current, const CString& soundPath);

// Plays `player` from the start, or, without an audio device, shows
// "Not found valid Audio device. Disable Alarm!" owned by `owner`.
void Play(HWND owner, HWND player, bool noAudioDevice);

// Stops `player`; nothing happens without one.
void Stop(HWND player);

}  // namespace alarm_preview
