// The window side of a photo: the process-wide photo buffer, and saving a grabbed frame as a JPEG
// file in the album folder, which is then opened with the shell.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "camera/photo/PhotoBuffer.h"

class CSampleGrabberCB;

// The photo buffer of the process: empty at start, freed at exit.
PhotoBuffer& ProcessPhotoBuffer();

// What became of one photo: its path, and whether the file was written.
struct SavedPhoto {
    std::wstring path;
    bool written = false;
};

// Saves the frame the grabber callback holds: file name from `now`, the frame copied (same size)
// or scaled into `buffer`, written as JPEG, then opened maximised. Only a file that was written is
// opened; the reason for a failure goes to the debug log (the caller tells the user).
SavedPhoto SavePhoto(const CSampleGrabberCB& grabber, PhotoBuffer& buffer, const std::wstring& albumFolder,
                     HWND window, const SYSTEMTIME& now);

// The one message for a photo that was not written, naming it.
std::wstring PhotoNotWrittenMessage(const std::wstring& path);

// The path in the ANSI code page, as the JPEG writer takes it; empty when a character of it has
// no exact counterpart there (a best-fit or '?' stand-in would name another file).
std::string ToAnsiPath(const std::wstring& path);

// Tests: replaces the shell's "open" of a new photo (an empty function restores it).
using PhotoOpener = std::function<void(HWND window, const std::wstring& path)>;
void SetPhotoOpenerForTesting(PhotoOpener opener);
