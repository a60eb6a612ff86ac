// The one include for DirectShow declarations: strsafe stays out (it breaks lstrcpyW and friends).
#pragma once

#ifndef NO_DSHOW_STRSAFE
#define NO_DSHOW_STRSAFE
#endif
#include <windows.h>
#include <dshow.h>
