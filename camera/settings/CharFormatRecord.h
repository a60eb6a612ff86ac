// The 92-byte character format of the overlay text, as the rich edit control's CHARFORMATW.
// On Windows it is CHARFORMATW itself; the host build has the same layout under the same names.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <richedit.h>
using CharFormatRecord = CHARFORMATW;
#else
#include <cstdint>
struct CharFormatRecord {
    uint32_t cbSize;
    uint32_t dwMask;
    uint32_t dwEffects;
    int32_t yHeight;
    int32_t yOffset;
    uint32_t crTextColor;
    uint8_t bCharSet;
    uint8_t bPitchAndFamily;
    char16_t szFaceName[32];
};
#endif

constexpr unsigned kCharFormatBytes = 92;
static_assert(sizeof(CharFormatRecord) == kCharFormatBytes, "the stored format is 92 bytes");
