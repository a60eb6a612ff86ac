#include "tools/artwork/Symbols.h"

#include <cmath>

namespace artwork {

namespace {
constexpr float kPi = 3.14159265f;
}

Shape SymbolShape(Symbol symbol, float cx, float cy, float size) {
    const float u = size / 10.0f;  // symbols are designed on a 10 x 10 grid
    const float line = 0.55f * u < 0.5f ? 0.5f : 0.55f * u;
    auto P = [&](float x, float y) { return std::make_pair(cx + x * u, cy + y * u); };
    auto Seg = [&](float ax, float ay, float bx, float by, float hw) {
        auto a = P(ax, ay);
        auto b = P(bx, by);
        return Segment(a.first, a.second, b.first, b.second, hw);
    };
    switch (symbol) {
        case Symbol::Gear: {
            Shape s = Circle(cx, cy, 3.4f * u);
            for (int i = 0; i < 8; ++i) {
                const float a = i * kPi / 4;
                s = Union(s, Seg(std::cos(a) * 2.5f, std::sin(a) * 2.5f, std::cos(a) * 4.4f,
                                 std::sin(a) * 4.4f, 0.85f * u));
            }
            return Subtract(s, Circle(cx, cy, 1.5f * u));
        }
        case Symbol::Microphone: {
            Shape body = Seg(0, -3.2f, 0, -0.4f, 1.7f * u);
            Shape cup = Intersect(Ring(cx, cy - 1.2f * u, 3.2f * u, line),
                                  [=](float, float y) { return (cy - 1.2f * u) - y; });
            return Union(Union(body, cup), Union(Seg(0, 2.0f, 0, 4.0f, line), Seg(-2, 4.2f, 2, 4.2f, line)));
        }
        case Symbol::Screen: {
            auto a = P(-4.6f, -3.6f);
            auto b = P(4.6f, 2.4f);
            Shape frame =
                Subtract(RoundRect(a.first, a.second, b.first, b.second, 1.2f * u),
                         Grow(RoundRect(a.first, a.second, b.first, b.second, 1.2f * u), -2 * line));
            return Union(frame, Union(Seg(0, 2.4f, 0, 3.8f, line), Seg(-2.2f, 4.2f, 2.2f, 4.2f, line)));
        }
        case Symbol::Magnifier: {
            auto c = P(-0.9f, -0.9f);
            Shape glass = Ring(c.first, c.second, 3.0f * u, line);
            Shape plus =
                Union(Seg(-2.3f, -0.9f, 0.5f, -0.9f, 0.45f * u), Seg(-0.9f, -2.3f, -0.9f, 0.5f, 0.45f * u));
            return Union(Union(glass, plus), Seg(1.4f, 1.4f, 4.0f, 4.0f, 1.0f * u));
        }
        case Symbol::Clock: {
            return Union(Ring(cx, cy, 4.1f * u, line),
                         Union(Seg(0, 0, 0, -2.6f, line), Seg(0, 0, 1.9f, 1.1f, line)));
        }
        case Symbol::Stopwatch: {
            auto c = P(0, 0.8f);
            Shape dial = Ring(c.first, c.second, 3.5f * u, line);
            Shape crown = Seg(-1.1f, -4.2f, 1.1f, -4.2f, line);
            Shape stem = Seg(0, -4.2f, 0, -2.7f, line);
            Shape hand = Seg(0, 0.8f, 1.6f, -0.9f, line);
            return Union(Union(dial, crown), Union(stem, hand));
        }
        case Symbol::Camera: {
            auto a = P(-4.8f, -2.4f);
            auto b = P(4.8f, 4.0f);
            Shape body = RoundRect(a.first, a.second, b.first, b.second, 1.3f * u);
            auto ta = P(-1.8f, -3.9f);
            auto tb = P(1.8f, -1.5f);
            Shape top = RoundRect(ta.first, ta.second, tb.first, tb.second, 0.7f * u);
            auto lc = P(0, 0.8f);
            Shape lens = Circle(lc.first, lc.second, 2.3f * u);
            Shape dot = Circle(lc.first, lc.second, 1.0f * u);
            return Union(Subtract(Union(body, top), lens), dot);
        }
        case Symbol::Info: {
            auto d = P(0, -2.1f);
            return Union(Ring(cx, cy, 4.2f * u, line),
                         Union(Circle(d.first, d.second, 0.75f * u), Seg(0, -0.4f, 0, 2.5f, 0.65f * u)));
        }
        case Symbol::Dot:
            return Circle(cx, cy, 3.2f * u);
        case Symbol::Eye: {
            auto up = P(0, 3.6f);
            auto dn = P(0, -3.6f);
            Shape almond =
                Intersect(Circle(up.first, up.second, 6.0f * u), Circle(dn.first, dn.second, 6.0f * u));
            Shape outline = Subtract(almond, Grow(almond, -line * 1.6f));
            return Union(outline, Circle(cx, cy, 1.5f * u));
        }
        case Symbol::Cross:
            return Union(Seg(-2.6f, -2.6f, 2.6f, 2.6f, line), Seg(-2.6f, 2.6f, 2.6f, -2.6f, line));
        case Symbol::Dash:
            return Seg(-2.8f, 0, 2.8f, 0, line);
    }
    return Circle(cx, cy, 0);
}

void DrawSymbol(Image& image, Symbol symbol, float cx, float cy, float size, Rgb colour, float opacity) {
    image.FillShape(SymbolShape(symbol, cx, cy, size), colour, opacity);
}

}  // namespace artwork
