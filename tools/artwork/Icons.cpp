#include "tools/artwork/Icons.h"

#include <cmath>
#include <cstdint>

#include "tools/artwork/PixelFont.h"
#include "tools/artwork/Symbols.h"
#include "tools/artwork/Theme.h"

namespace artwork {

Image PaintCameraIcon() {
    Image icon(38, 26, Hex(0x11151B));
    icon.FillShape(RoundRect(0, 0, 38, 26, 0), VerticalGradient(0, Hex(0x262D39), 26, Hex(0x141820)));
    icon.FillShape(
        Subtract(RoundRect(0.5f, 0.5f, 37.5f, 25.5f, 3), RoundRect(1.5f, 1.5f, 36.5f, 24.5f, 2.5f)),
        theme::kAccent, 0.8f);
    // Camera body with lens, in white; the red dot says a shot is coming.
    icon.FillShape(SymbolShape(Symbol::Camera, 17, 13, 22), Hex(0xF2F5F9));
    icon.FillShape(Circle(31, 7, 3), theme::kRecord);
    icon.FillShape(Circle(30.2f, 6.2f, 1), Hex(0xFFC4CA));
    return icon;
}

Image PaintTargetIcon() {
    Image icon(35, 36, theme::kTargetKey);
    const float cx = 17.5f, cy = 18.0f;
    Shape reticle = Ring(cx, cy, 11.0f, 1.6f);
    reticle = Union(reticle, Circle(cx, cy, 2.2f));
    const float ticks[4][4] = {
        {cx, 1.5f, cx, 10.5f}, {cx, 25.5f, cx, 34.5f}, {1.0f, cy, 10.0f, cy}, {25.0f, cy, 34.0f, cy}};
    for (const auto& t : ticks) reticle = Union(reticle, Segment(t[0], t[1], t[2], t[3], 1.1f));
    // A hard dark outline one pixel wide, then the reticle blended inside it, so no soft pixel ever
    // mixes with the magenta that the stamp leaves out.
    const Shape outline = Grow(reticle, 1.3f);
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x)
            if (outline(x + 0.5f, y + 0.5f) < 0.0f) icon.Set(x, y, Hex(0x1A0508));
    Image colour = icon;
    colour.FillShape(reticle, RadialGradient(cx, cy, 14, Hex(0xFFE25A), Hex(0xFF3B3B)));
    for (int y = 0; y < icon.Height(); ++y)
        for (int x = 0; x < icon.Width(); ++x)
            if (outline(x + 0.5f, y + 0.5f) < 0.0f) icon.Set(x, y, colour.At(x, y));
    return icon;
}

RgbaImage PaintAppIcon(int size) {
    RgbaImage icon(size, size);
    const float s = float(size);
    const float inset = size <= 16 ? 0.5f : s * 0.04f;
    const Shape tile = RoundRect(inset, inset, s - inset, s - inset, s * 0.22f);
    icon.FillShape(tile, Hex(0x0A3340));
    icon.FillShape(Grow(tile, -std::max(1.0f, s / 32)), [s](float x, float y) {
        return Mix(Hex(0x3FD6F2), Hex(0x1460A8), (x * 0.35f + y * 0.65f) / s);
    });
    const float c = s / 2, r = s * 0.30f;
    // The lens: white rim, dark glass, cyan iris and a highlight.
    icon.FillShape(Circle(c, c + s * 0.02f, r + s * 0.035f), Hex(0x0B2430), 0.35f);
    icon.FillShape(Circle(c, c, r), Hex(0xF4F8FB));
    icon.FillShape(Circle(c, c, r * 0.74f), Hex(0x121A24));
    if (size >= 32) {
        icon.FillShape(Ring(c, c, r * 0.45f, s * 0.035f), theme::kAccent);
        icon.FillShape(Circle(c - r * 0.28f, c - r * 0.28f, s * 0.06f), Hex(0xFFFFFF));
    } else {
        icon.FillShape(Circle(c - 1.5f, c - 1.5f, 1.2f), Hex(0xFFFFFF));
    }
    icon.FillShape(Circle(s * 0.80f, s * 0.20f, s * (size <= 16 ? 0.13f : 0.10f)), theme::kRecord);
    return icon;
}

namespace {
Shape HandShape() {
    Shape hand = Segment(11, 3.5f, 11, 15, 2.6f);                    // index finger
    hand = Union(hand, RoundRect(8.2f, 12.5f, 23.5f, 27.5f, 4.5f));  // palm
    hand = Union(hand, Segment(15.3f, 11.5f, 15.3f, 16, 2.4f));      // middle finger
    hand = Union(hand, Segment(19.6f, 12.5f, 19.6f, 17, 2.3f));      // ring finger
    hand = Union(hand, Segment(23.4f, 14.5f, 23.4f, 19, 2.1f));      // little finger
    hand = Union(hand, Segment(4.8f, 16.5f, 9.5f, 22.5f, 2.4f));     // thumb
    return hand;
}
}  // namespace

RgbaImage PaintHandCursor() {
    RgbaImage cursor(32, 32);
    const Shape hand = HandShape();
    cursor.FillShape(Grow(hand, 1.1f), Hex(0x000000));
    cursor.FillShape(hand, VerticalGradient(2, Hex(0xFFFFFF), 28, Hex(0xDCE6EE)));
    // Creases between the fingers.
    cursor.FillShape(Segment(13.2f, 14.5f, 13.2f, 17.5f, 0.4f), Hex(0x6A7480));
    cursor.FillShape(Segment(17.5f, 15.5f, 17.5f, 18.0f, 0.4f), Hex(0x6A7480));
    cursor.FillShape(Segment(21.5f, 17, 21.5f, 19.5f, 0.4f), Hex(0x6A7480));
    // Cuff in the accent colour.
    cursor.FillShape(RoundRect(10.5f, 25.5f, 22.5f, 30.5f, 1.5f), Hex(0x000000));
    cursor.FillShape(RoundRect(11.5f, 26.5f, 21.5f, 29.5f, 1), theme::kAccent);
    return cursor;
}

CursorHotSpot HandCursorHotSpot() {
    return CursorHotSpot{11, 0};
}

Image PaintAboutPicture() {
    Image pic(160, 120);
    const Paint sky = VerticalGradient(0, Hex(0x0B1026), 120, Hex(0x3B1F5A));
    pic.FillShape(RoundRect(-1, -1, 161, 121, 0), sky);
    // Stars from a fixed sequence, so every build draws the same sky.
    uint32_t seed = 0x0CE11Au;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int i = 0; i < 46; ++i) {
        const float x = float(next() % 160), y = float(next() % 70);
        const float r = 0.4f + float(next() % 100) / 140.0f;
        pic.FillShape(Circle(x + 0.5f, y + 0.5f, r), Hex(0xFFFFFF), 0.5f + float(next() % 50) / 100.0f);
    }
    pic.FillShape(Circle(128, 22, 11), Hex(0xFFF4D2));
    pic.FillShape(Circle(123, 18, 10), sky);  // crescent
    // Hills.
    pic.FillShape([](float x, float y) { return (92 + 10 * std::sin(x / 23.0f)) - y; }, Hex(0x1B1336));
    pic.FillShape([](float x, float y) { return (103 + 6 * std::sin(x / 13.0f + 2)) - y; }, Hex(0x120C24));
    // A small camera on a tripod looking at the moon.
    const Shape legs = Union(Segment(44, 84, 36, 104, 1.1f),
                             Union(Segment(44, 84, 52, 104, 1.1f), Segment(44, 84, 44, 105, 1.1f)));
    pic.FillShape(legs, Hex(0x8A95A8));
    pic.FillShape(RoundRect(31, 68, 57, 85, 3), Hex(0xE8EDF4));
    pic.FillShape(RoundRect(37, 64, 47, 69, 1.5f), Hex(0xE8EDF4));
    pic.FillShape(Circle(44, 76.5f, 6), Hex(0x171B22));
    pic.FillShape(Ring(44, 76.5f, 3.4f, 0.8f), theme::kAccent);
    pic.FillShape(Circle(52.5f, 71.5f, 1.5f), theme::kRecord);
    // Its view: a soft beam towards the moon.
    pic.FillShape(Polygon({50, 74, 118, 16, 134, 30}), Hex(0xFFF4D2), 0.12f);
    PixelFont::DrawCentred(pic, 80, 108, "Made with care in Orvello", Hex(0xFFFFFF));
    PixelFont::Draw(pic, 6, 6, "psst!", Hex(0xFFB22E));
    return pic;
}

}  // namespace artwork
