// DirectShow declarations for the capture library, and the two class ids qedit.h leaves out.
#pragma once

#ifndef NO_DSHOW_STRSAFE
#define NO_DSHOW_STRSAFE
#endif
#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include <string>

namespace yscap {

constexpr GUID kClsidSampleGrabber = {
    0xC1F400A0, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};
constexpr GUID kClsidNullRenderer = {
    0xC1F400A4, 0x3F08, 0x11d3, {0x9F, 0x0B, 0x00, 0x60, 0x08, 0x03, 0x9E, 0x37}};

// Frees an AM_MEDIA_TYPE handed out by DirectShow (format block, pUnk and the structure).
void DeleteMediaType(AM_MEDIA_TYPE* mt);
void FreeMediaTypeFields(AM_MEDIA_TYPE& mt);

// Wide text from DirectShow to the program's ANSI text.
std::string ToAnsi(const wchar_t* text);

// COM references a session failed to bring to zero (checked when graphs close).
long ComLeaks();
void NoteComLeak(const char* what, unsigned long remaining);

}  // namespace yscap
