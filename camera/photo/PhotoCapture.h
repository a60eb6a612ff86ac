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

// Saves the frame the grabber callback holds: file name from `now`, the frame copied (same size)
// or scaled into `buffer`, written as JPEG, then opened maximised. Returns the photo's path.
// Nothing is reported when a step fails.
std::wstring SavePhoto(const CSampleGrabberCB& grabber, PhotoBuffer& buffer, const std::wstring& albumFolder,
                       HWND window, const SYSTEMTIME& now);

// The path in the ANSI code page, as the JPEG writer takes it.
std::string ToAnsiPath(const std::wstring& path);

// Tests: replaces the shell's "open" of a new photo (an empty function restores it).
using PhotoOpener = std::function<void(HWND window, const std::wstring& path)>;
void SetPhotoOpenerForTesting(PhotoOpener opener);
