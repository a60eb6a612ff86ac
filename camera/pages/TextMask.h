// The overlay text drawn by GDI into a one-byte-a-pixel mask for "Pel Overlay".
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "camera/settings/CharFormatRecord.h"

// The font of a rich edit character format: height in twips / -15 (pixels, character height),
// weight 700 for bold else 400, italic, underline, strike-out, character set, pitch and family, face.
LOGFONTW LogFontFromCharFormat(const CharFormatRecord& format);

struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;  // width x height, top row first, 1 = ink
};

// Draws `text` in red on black with the font and keeps 1 where red is not zero. Each line of the
// text (lines end at CR LF, LF or CR) is drawn below the one before, centred on the widest. False
// when the font, the context or the bitmap cannot be made or the text measures empty; `mask` is
// then untouched.
bool RenderTextMask(const std::wstring& text, const LOGFONTW& font, TextMask& mask);

// The text's lines, without their line ends; an empty text has none.
std::vector<std::wstring> SplitTextLines(const std::wstring& text);

// The overlay draws the text before the picture is mirrored or turned upside down; a mask turned
// the same way beforehand comes out readable.
void TurnTextMask(TextMask& mask, bool mirrored, bool upsideDown);
