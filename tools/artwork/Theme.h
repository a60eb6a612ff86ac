#pragma once
// Orvello's colours: a graphite body, cyan accent, red for recording.
#include "tools/artwork/Image.h"

namespace artwork::theme {

constexpr Rgb kKey = Hex(0x00FF00);        // outside the window's shape
constexpr Rgb kTargetKey = Hex(0xFF00FF);  // transparent pixels of the target icon
constexpr Rgb kBody = Hex(0x171B22);       // window body
constexpr Rgb kOutline = Hex(0x0B0D11);    // hard outer edge of the window
constexpr Rgb kRim = Hex(0x3A4352);        // inner highlight along the edge
constexpr Rgb kTitleTop = Hex(0x2A313D);
constexpr Rgb kTitleBottom = Hex(0x1D222B);
constexpr Rgb kCard = Hex(0x222833);  // cards that hold controls; flat under every button
constexpr Rgb kCardEdge = Hex(0x2F3746);
constexpr Rgb kDivider = Hex(0x2C3340);
constexpr Rgb kText = Hex(0xE8EDF4);
constexpr Rgb kTextDim = Hex(0x8A95A8);
constexpr Rgb kTextFaint = Hex(0x5B6576);
constexpr Rgb kAccent = Hex(0x2EC4E6);
constexpr Rgb kAccentDeep = Hex(0x1386A6);
constexpr Rgb kAccentEdge = Hex(0x0B5568);
constexpr Rgb kRecord = Hex(0xFF4B5C);
constexpr Rgb kRecordDeep = Hex(0xB8202F);
constexpr Rgb kAmber = Hex(0xFFB22E);
constexpr Rgb kButtonTop = Hex(0x3D4556);
constexpr Rgb kButtonBottom = Hex(0x2C323E);
constexpr Rgb kButtonEdge = Hex(0x12161C);
constexpr Rgb kButtonShine = Hex(0x525C70);
constexpr Rgb kDisabledFace = Hex(0x262B34);
constexpr Rgb kDisabledText = Hex(0x566071);

}  // namespace artwork::theme
