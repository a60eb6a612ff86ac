#pragma once
// Small line symbols that tell what a button does.
#include "tools/artwork/Image.h"

namespace artwork {

enum class Symbol {
    Gear,
    Microphone,
    Screen,
    Magnifier,
    Clock,
    Stopwatch,
    Camera,
    Info,
    Dot,
    Eye,
    Cross,
    Dash
};

// Draws `symbol` centred on (cx, cy) within a square of `size` pixels.
void DrawSymbol(Image& image, Symbol symbol, float cx, float cy, float size, Rgb colour,
                float opacity = 1.0f);
// The same symbol as a shape, for pictures with transparency.
Shape SymbolShape(Symbol symbol, float cx, float cy, float size);

}  // namespace artwork
