// The stamp font rendered once through GDI into a glyph atlas.
#pragma once

#include "monitor/libs/YsProcess/TextStamp.h"

namespace ysp {

// Renders printable ASCII in the stamp font (bold Tahoma, 15-pixel characters, anti-aliased)
// into atlas. False when GDI could not provide the font or a drawing surface.
bool RenderGdiGlyphs(GlyphAtlas& atlas);

}  // namespace ysp
