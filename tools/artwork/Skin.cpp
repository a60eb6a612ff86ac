#include "tools/artwork/Skin.h"

#include "tools/artwork/PixelFont.h"
#include "tools/artwork/SkinLayout.h"
#include "tools/artwork/Symbols.h"
#include "tools/artwork/Theme.h"

namespace artwork {

namespace {

constexpr float kCornerRadius = 20.0f;

const Shape& Outline() {
    static const Shape shape = RoundRect(0, 0, kSkinWidth, kSkinHeight, kCornerRadius);
    return shape;
}

void Card(Image& skin, float x0, float y0, float x1, float y1) {
    skin.FillShape(RoundRect(x0, y0, x1, y1, 8), theme::kCardEdge);
    skin.FillShape(RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 7), theme::kCard);
}

void Heading(Image& skin, int x, int y, const char* text) {
    PixelFont::Draw(skin, x, y, text, theme::kTextDim);
}

void TitleBar(Image& skin) {
    skin.FillShape(Intersect(Outline(), RoundRect(-1, -1, kSkinWidth + 1, 25, 0)),
                   VerticalGradient(0, theme::kTitleTop, 25, theme::kTitleBottom));
    skin.FillShape(RoundRect(0, 25, kSkinWidth, 26, 0), theme::kOutline);
    // Sockets behind the close and minimise buttons.
    skin.FillShape(Circle(15, 12, 8.5f), Hex(0x151920));
    skin.FillShape(Circle(36, 12, 8.5f), Hex(0x151920));
    // Lens mark and the product name.
    skin.FillShape(Circle(60, 12.5f, 6.5f), VerticalGradient(6, theme::kAccent, 19, theme::kAccentDeep));
    skin.FillShape(Circle(60, 12.5f, 3.2f), theme::kTitleBottom);
    skin.FillShape(Circle(61.2f, 11.3f, 1.1f), theme::kText);
    PixelFont::Draw(skin, 72, 9, "Orvello", theme::kText);
    PixelFont::Draw(skin, 72 + PixelFont::Measure("Orvello") + 6, 9, "webcam monitor", theme::kTextDim);
    // Grip dots on the right say the window can be dragged by its face.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j)
            skin.FillShape(Circle(330 + i * 5.0f, 9.5f + j * 5.0f, 1.1f), theme::kTextFaint);
}

void SourcesCard(Image& skin) {
    Card(skin, 8, 29, 352, 139);
    skin.FillShape(RoundRect(16, 83.5f, 344, 84.5f, 0), theme::kDivider);
    const auto& labels = SkinFieldLabels();
    for (const FieldLabel& label : labels) {
        PixelFont::Draw(skin, 34, label.y + 7, label.text, theme::kText);
    }
    DrawSymbol(skin, Symbol::Microphone, 23, labels[0].y + 10.5f, 11, theme::kAccent);
    DrawSymbol(skin, Symbol::Camera, 23, labels[2].y + 10.5f, 11, theme::kAccent);
    // Thin guides that lead from each label to its control.
    for (const FieldLabel& label : labels) {
        const int textEnd = 34 + PixelFont::Measure(label.text) + 5;
        skin.FillShape(RoundRect(textEnd, label.y + 10, 126, label.y + 11, 0), theme::kDivider);
    }
}

void DisplayCard(Image& skin) {
    Card(skin, 8, 143, 352, 223);
    DrawSymbol(skin, Symbol::Screen, 22, 152, 10, theme::kAccent);
    Heading(skin, 32, 148, "DISPLAY SIZE");
    // The free place of the grid explains the magnifier of the zoomed sizes.
    const float cx = 266 + 11, cy = 194 + 10.5f;
    DrawSymbol(skin, Symbol::Magnifier, cx, cy, 10, theme::kTextDim);
    PixelFont::Draw(skin, 266 + 22, 194 + 2, "doubled", theme::kTextDim);
    PixelFont::Draw(skin, 266 + 22, 194 + 11, "picture", theme::kTextDim);
}

void CaptureCard(Image& skin) {
    Card(skin, 8, 228, 352, 305);
    DrawSymbol(skin, Symbol::Camera, 22, 237, 10, theme::kAccent);
    Heading(skin, 32, 233, "CAPTURE");
}

void StatusCard(Image& skin) {
    Card(skin, 8, 308, 352, 346);
    // Slot of the audio-recording strip; the strip covers it while audio is recorded.
    skin.FillShape(RoundRect(17, 311, 181, 326, 7.5f), Hex(0x1A1F27));
    DrawSymbol(skin, Symbol::Microphone, 27, 318.5f, 9, theme::kTextFaint);
    PixelFont::Draw(skin, 36, 315, "Audio recording off", theme::kTextFaint);
    PixelFont::Draw(skin, 18, 333, "Drag the window by its face", theme::kTextFaint);
    // Brand corner.
    skin.FillShape(Circle(283, 327, 9), VerticalGradient(318, theme::kAccent, 336, theme::kAccentDeep));
    skin.FillShape(Circle(283, 327, 4.5f), theme::kCard);
    skin.FillShape(Circle(284.6f, 325.4f, 1.5f), theme::kText);
    PixelFont::Draw(skin, 298, 318, "Orvello", theme::kText);
    PixelFont::Draw(skin, 298, 328, "by Halmere", theme::kTextDim);
}

}  // namespace

bool SkinInside(int x, int y) {
    return Outline()(x + 0.5f, y + 0.5f) < 0.0f;
}

Image PaintSkin() {
    Image skin(kSkinWidth, kSkinHeight, theme::kBody);
    skin.FillShape(Outline(), VerticalGradient(0, Hex(0x1A1E26), kSkinHeight, Hex(0x14171D)));
    TitleBar(skin);
    SourcesCard(skin);
    DisplayCard(skin);
    CaptureCard(skin);
    StatusCard(skin);
    // A hard edge: the region is cut per pixel, so the last pixel ring is a dark outline with a soft rim
    // inside it, and everything outside is exactly the key colour.
    const Shape& outline = Outline();
    for (int y = 0; y < kSkinHeight; ++y)
        for (int x = 0; x < kSkinWidth; ++x) {
            const float d = outline(x + 0.5f, y + 0.5f);
            if (d >= 0.0f) {
                skin.Set(x, y, theme::kKey);
            } else if (d > -1.0f) {
                skin.Set(x, y, theme::kOutline);
            } else if (d > -2.0f) {
                skin.Blend(x, y, theme::kRim, 0.55f);
            }
        }
    return skin;
}

}  // namespace artwork
