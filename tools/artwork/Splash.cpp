#include "tools/artwork/Splash.h"

#include <cmath>

#include "tools/artwork/PixelFont.h"
#include "tools/artwork/Symbols.h"
#include "tools/artwork/Theme.h"

namespace artwork {

namespace {

constexpr int kWidth = 600, kHeight = 430;

void Background(Image& img) {
    img.FillShape(RoundRect(-1, -1, kWidth + 1, kHeight + 1, 0), [](float x, float y) {
        const Rgb base = Mix(Hex(0x121721), Hex(0x1A1F2E), y / kHeight);
        // Two soft lights: cyan behind the lens, violet low on the right.
        const float a = std::exp(-((x - 170) * (x - 170) + (y - 205) * (y - 205)) / (2 * 150.0f * 150.0f));
        const float b = std::exp(-((x - 560) * (x - 560) + (y - 420) * (y - 420)) / (2 * 170.0f * 170.0f));
        return Mix(Mix(base, Hex(0x16506A), a * 0.75f), Hex(0x3A2560), b * 0.55f);
    });
    // Faint grid lines like a viewfinder.
    for (int x = 40; x < kWidth; x += 40)
        img.FillShape(RoundRect(x, 0, x + 1, kHeight, 0), Hex(0xFFFFFF), 0.025f);
    for (int y = 30; y < kHeight; y += 40)
        img.FillShape(RoundRect(0, y, kWidth, y + 1, 0), Hex(0xFFFFFF), 0.025f);
}

void Lens(Image& img, float cx, float cy, float r) {
    img.FillShape(Circle(cx + 6, cy + 10, r + 6), Hex(0x05070A), 0.45f);  // shadow
    img.FillShape(Circle(cx, cy, r), VerticalGradient(cy - r, Hex(0x5A6578), cy + r, Hex(0x1C222C)));
    img.FillShape(Circle(cx, cy, r - 6), VerticalGradient(cy - r, Hex(0x161A22), cy + r, Hex(0x2C3442)));
    // Knurled focus ring.
    for (int i = 0; i < 72; ++i) {
        const float a = i * 3.14159265f / 36;
        img.FillShape(Segment(cx + std::cos(a) * (r - 17), cy + std::sin(a) * (r - 17),
                              cx + std::cos(a) * (r - 9), cy + std::sin(a) * (r - 9), 1.1f),
                      Hex(0x3A4352), 0.9f);
    }
    img.FillShape(Circle(cx, cy, r - 22), Hex(0x0C0F14));
    img.FillShape(Ring(cx, cy, r - 22, 1.2f), Hex(0x4A5568));
    // Glass: deep blue with a cyan iris.
    img.FillShape(Circle(cx, cy, r - 30), RadialGradient(cx - 15, cy - 20, r, Hex(0x1E4F7A), Hex(0x070B14)));
    img.FillShape(Ring(cx, cy, r * 0.38f, 6),
                  RadialGradient(cx, cy, r * 0.45f, theme::kAccent, Hex(0x12507A)), 0.85f);
    img.FillShape(Circle(cx, cy, r * 0.24f), Hex(0x03050A));
    // Reflections.
    img.FillShape(Circle(cx - r * 0.32f, cy - r * 0.34f, r * 0.13f), Hex(0xFFFFFF), 0.85f);
    img.FillShape(Circle(cx - r * 0.12f, cy - r * 0.46f, r * 0.05f), Hex(0xFFFFFF), 0.6f);
    img.FillShape(
        Intersect(Ring(cx, cy, r - 40, 5), [cx, cy](float x, float y) { return (x - cx) + (y - cy) + 20; }),
        Hex(0xFFFFFF), 0.12f);
    img.FillShape(Circle(cx + r * 0.36f, cy + r * 0.30f, r * 0.05f), Hex(0xB9F3FF), 0.5f);
    // Recording light.
    img.FillShape(Circle(cx + r * 0.72f, cy - r * 0.72f, 11), theme::kRecord, 0.25f);
    img.FillShape(Circle(cx + r * 0.72f, cy - r * 0.72f, 7), theme::kRecord);
    img.FillShape(Circle(cx + r * 0.72f - 2, cy - r * 0.72f - 2, 2.2f), Hex(0xFFD0D5));
}

}  // namespace

Image PaintSplash() {
    Image img(kWidth, kHeight);
    Background(img);
    Lens(img, 165, 200, 118);

    const int textX = 318;
    PixelFont::Draw(img, textX + 3, 92 + 4, "Orvello", Hex(0x05070A), 7, 1, 0.5f, true);
    PixelFont::Draw(img, textX, 92, "Orvello", theme::kText, 7, 1, 1.0f, true);
    PixelFont::Draw(img, textX + 2, 160, "WEBCAM MONITOR", theme::kAccent, 2, 2);
    img.FillShape(RoundRect(textX + 2, 184, textX + 60, 186, 1), theme::kAccent);

    const char* features[] = {"Live preview", "Snapshots & timer", "Video recording", "Motion alarms"};
    const Symbol symbols[] = {Symbol::Screen, Symbol::Camera, Symbol::Dot, Symbol::Eye};
    for (int i = 0; i < 4; ++i) {
        const int y = 206 + i * 30;
        img.FillShape(Circle(textX + 12, y + 7, 12), Hex(0xFFFFFF), 0.07f);
        DrawSymbol(img, symbols[i], textX + 12, y + 7, 14, i == 2 ? theme::kRecord : theme::kAccent);
        PixelFont::Draw(img, textX + 32, y, features[i], theme::kText, 2);
    }

    // Start-up line and credits.
    img.FillShape(RoundRect(40, 368, 560, 369, 0), Hex(0xFFFFFF), 0.08f);
    PixelFont::Draw(img, 40, 385, "Starting camera", theme::kTextDim, 2);
    const int dotsX = 40 + PixelFont::Measure("Starting camera", 2) + 6;
    for (int i = 0; i < 3; ++i)
        img.FillShape(Circle(dotsX + i * 9.0f, 396, 2.2f), theme::kAccent, 1.0f - i * 0.3f);
    const std::string credit = std::string("Version 1.0  \x01 2026 Halmere");
    PixelFont::Draw(img, 560 - PixelFont::Measure(credit), 389, credit, theme::kTextDim);

    // A thin frame around the popup.
    img.FillShape(Subtract(RoundRect(0, 0, kWidth, kHeight, 0), RoundRect(1, 1, kWidth - 1, kHeight - 1, 0)),
                  Hex(0x3A4352));
    return img;
}

}  // namespace artwork
