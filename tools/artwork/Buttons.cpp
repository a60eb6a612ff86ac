#include "tools/artwork/Buttons.h"

#include <cmath>
#include <functional>

#include "tools/artwork/PixelFont.h"
#include "tools/artwork/SkinLayout.h"
#include "tools/artwork/Symbols.h"
#include "tools/artwork/Theme.h"

namespace artwork {

namespace {

enum class Look { Normal, Pressed, Disabled, Recording };

// Something drawn on a face after its background: `offset` is 1 on pressed faces.
using Extra = std::function<void(Image&, int offset)>;

struct Face {
    bool hasSymbol = false;
    Symbol symbol = Symbol::Dot;
    std::string label;
    Extra extra;
    int contentLeft = 0;   // the content is centred between this column
    int contentRight = 0;  // and this many pixels before the right edge
};

Face Labelled(Symbol s, std::string label) {
    Face f;
    f.hasSymbol = true;
    f.symbol = s;
    f.label = std::move(label);
    return f;
}

constexpr float kButtonRadius = 5.5f;

Shape ButtonShape(int w, int h) {
    return RoundRect(0, 0, float(w), float(h), kButtonRadius);
}

// Pixels whose coverage is at least this are inside the mask (and so inside the button's region).
bool MaskInside(const Shape& shape, int x, int y) {
    return shape(x + 0.5f, y + 0.5f) < 0.45f;
}

Image MaskOf(const Shape& shape, int w, int h) {
    Image mask(w, h, Hex(0xFFFFFF));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (MaskInside(shape, x, y)) mask.Set(x, y, Hex(0x000000));
    return mask;
}

// Outside its mask a picture keeps exactly the skin it covers, so it looks the same drawn through the
// mask or copied whole (soft edges may reach a little beyond the mask's threshold).
Image ClipToMask(Image picture, const Image& background, const Image& mask) {
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (mask.At(x, y) == Hex(0xFFFFFF)) picture.Set(x, y, background.At(x, y));
    return picture;
}

// The part of the skin a button covers; buttons the window places itself sit on a card.
Image Background(const Image& skin, int controlId, int w, int h) {
    for (const ButtonPlace& p : SkinButtons())
        if (p.controlId == controlId && p.x >= 0) return skin.Crop(p.x, p.y, w, h);
    return Image(w, h, theme::kCard);
}

Image PaintFace(Image face, Look look, const Face& content) {
    const int w = face.Width(), h = face.Height();
    const Shape outer = ButtonShape(w, h);
    const Shape inner = RoundRect(1, 1, float(w - 1), float(h - 1), kButtonRadius - 1);
    const Shape topLine = Intersect(inner, RoundRect(-8, 1, float(w + 8), 2, 0));
    Rgb text = theme::kText, symbol = theme::kAccent;
    int offset = 0;
    switch (look) {
        case Look::Normal:
            face.FillShape(outer, theme::kButtonEdge);
            face.FillShape(inner, VerticalGradient(1, theme::kButtonTop, float(h - 1), theme::kButtonBottom));
            face.FillShape(topLine, theme::kButtonShine, 0.9f);
            break;
        case Look::Pressed:
            face.FillShape(outer, theme::kAccentEdge);
            face.FillShape(inner, VerticalGradient(1, Hex(0x1C9FC0), float(h - 1), theme::kAccent));
            face.FillShape(topLine, theme::kAccentEdge, 0.7f);
            text = symbol = Hex(0xFFFFFF);
            offset = 1;
            break;
        case Look::Recording:
            face.FillShape(outer, Hex(0x5E0F18));
            face.FillShape(inner, VerticalGradient(1, theme::kRecordDeep, float(h - 1), theme::kRecord));
            face.FillShape(topLine, Hex(0x5E0F18), 0.7f);
            text = symbol = Hex(0xFFFFFF);
            offset = 1;
            break;
        case Look::Disabled:
            face.FillShape(outer, Hex(0x1A1E25));
            face.FillShape(inner, theme::kDisabledFace);
            text = symbol = theme::kDisabledText;
            break;
    }
    if (content.extra) content.extra(face, offset);
    const int symbolWidth = content.hasSymbol ? 11 : 0;
    const int gap = content.hasSymbol && !content.label.empty() ? 4 : 0;
    const int total = symbolWidth + gap + PixelFont::Measure(content.label);
    const int left = content.contentLeft + (w - content.contentRight - content.contentLeft - total) / 2;
    if (content.hasSymbol)
        DrawSymbol(face, content.symbol, left + 5.5f + offset, h / 2.0f + offset, 11, symbol);
    PixelFont::Draw(face, left + symbolWidth + gap + offset, (h - PixelFont::kCapHeight) / 2 + offset,
                    content.label, text);
    return face;
}

// The recorder's lamp socket at the left of its face, where the blinking lamp button lies.
constexpr float kLampX = 10.0f, kLampY = 10.5f, kLampRadius = 5.0f;

Extra LampSocket(Rgb fill) {
    return [fill](Image& img, int) {
        img.FillShape(Circle(kLampX, kLampY, kLampRadius + 1.2f), Hex(0x101318), 0.85f);
        img.FillShape(Circle(kLampX, kLampY, kLampRadius), fill);
    };
}

// A small indicator at the right end of the record-audio switch.
Extra SwitchLed(Rgb fill, Rgb ring) {
    return [fill, ring](Image& img, int offset) {
        const float cx = img.Width() - 9.0f + offset, cy = img.Height() / 2.0f + offset;
        img.FillShape(Circle(cx, cy, 3.4f), ring);
        img.FillShape(Circle(cx, cy, 2.4f), fill);
    };
}

struct FaceSpec {
    int id;
    int controlId;  // whose place gives the background
    Look look;
    Face face;
    const char* description;
};

Image PaintLamp(Image bg, bool lit) {
    const Shape lamp = Circle(kLampX, kLampY, kLampRadius);
    if (lit) {
        bg.FillShape(Circle(kLampX, kLampY, kLampRadius + 2.0f), theme::kRecord, 0.35f);
        bg.FillShape(lamp, RadialGradient(kLampX - 1.5f, kLampY - 1.5f, kLampRadius * 1.6f, Hex(0xFFD0D5),
                                          theme::kRecord));
    } else {
        bg.FillShape(lamp, RadialGradient(kLampX - 1.5f, kLampY - 1.5f, kLampRadius * 1.6f, Hex(0x6A2A31),
                                          Hex(0x3A1419)));
    }
    return bg;
}

Image PaintWindowButton(Image bg, Rgb fill, Symbol symbol) {
    const float c = bg.Width() / 2.0f;
    bg.FillShape(Circle(c, c, 6.5f), Mix(fill, Hex(0x000000), 0.45f));
    bg.FillShape(Circle(c, c, 5.6f), VerticalGradient(1, Mix(fill, Hex(0xFFFFFF), 0.25f), 13, fill));
    DrawSymbol(bg, symbol, c, c, 9, Mix(fill, Hex(0x000000), 0.7f));
    return bg;
}

Image PaintAudioStrip(Image bg) {
    const int w = bg.Width(), h = bg.Height();
    const Shape pill = RoundRect(0, 0, float(w), float(h), h / 2.0f);
    bg.FillShape(pill, Hex(0x5E0F18));
    bg.FillShape(RoundRect(1, 1, float(w - 1), float(h - 1), h / 2.0f - 1),
                 VerticalGradient(1, Hex(0x3B1218), float(h - 1), Hex(0x2A0D12)));
    bg.FillShape(Circle(9.5f, h / 2.0f, 3.5f), theme::kRecord);
    bg.FillShape(Circle(9.5f, h / 2.0f, 5.5f), theme::kRecord, 0.25f);
    PixelFont::Draw(bg, 19, 4, "Audio recording on", Hex(0xFFD6DA));
    // A level meter: bars rising to the right.
    const int heights[] = {3, 5, 7, 9, 6, 8, 4};
    for (int i = 0; i < 7; ++i) {
        const float x = float(w - 40 + i * 4);
        const Rgb c = i < 5 ? theme::kAccent : theme::kAmber;
        bg.FillShape(RoundRect(x, h / 2.0f + 4.5f - heights[i], x + 2.2f, h / 2.0f + 4.5f, 0.6f), c);
    }
    return bg;
}

}  // namespace

void AddButtonArt(const Image& skin, std::vector<ArtworkItem>& items) {
    auto standardBg = [&](int controlId) { return Background(skin, controlId, kButtonWidth, kButtonHeight); };

    Face recordIdle = Labelled(Symbol::Dot, "Record");
    recordIdle.hasSymbol = false;
    recordIdle.contentLeft = 18;
    recordIdle.extra = LampSocket(Hex(0xC23341));
    Face recordStop = recordIdle;
    recordStop.label = "Stop";
    recordStop.extra = LampSocket(Hex(0x3A1419));

    Face audioOff = Labelled(Symbol::Microphone, "Rec audio");
    audioOff.contentRight = 12;
    Face audioOn = audioOff;
    audioOn.extra = SwitchLed(theme::kRecord, Hex(0x7A0F1A));
    audioOff.extra = SwitchLed(Hex(0x3A404C), Hex(0x1C2027));
    Face audioDisabled = audioOff;
    audioDisabled.extra = SwitchLed(Hex(0x2E333C), Hex(0x20242B));

    const FaceSpec faces[] = {
        {208, 1044, Look::Normal, Labelled(Symbol::Gear, "Settings"), "settings (audio and video), normal"},
        {203, 1044, Look::Pressed, Labelled(Symbol::Gear, "Settings"), "audio settings, pressed"},
        {207, 1027, Look::Pressed, Labelled(Symbol::Gear, "Settings"), "video settings, pressed"},
        {206, 1068, Look::Normal, audioOff, "record-audio switch, off"},
        {205, 1068, Look::Pressed, audioOn, "record-audio switch, on"},
        {249, 1068, Look::Disabled, audioDisabled, "record-audio switch, disabled"},
        {210, 1000, Look::Normal, Labelled(Symbol::Screen, "320x240"), "size 320x240"},
        {209, 1000, Look::Pressed, Labelled(Symbol::Screen, "320x240"), "size 320x240, checked"},
        {212, 1001, Look::Normal, Labelled(Symbol::Screen, "320x240"), "size 320x240 (second mode)"},
        {211, 1001, Look::Pressed, Labelled(Symbol::Screen, "320x240"),
         "size 320x240 (second mode), checked"},
        {214, 1002, Look::Normal, Labelled(Symbol::Screen, "640x480"), "size 640x480"},
        {213, 1002, Look::Pressed, Labelled(Symbol::Screen, "640x480"), "size 640x480, checked"},
        {216, 1003, Look::Normal, Labelled(Symbol::Screen, "800x600"), "size 800x600"},
        {215, 1003, Look::Pressed, Labelled(Symbol::Screen, "800x600"), "size 800x600, checked"},
        {218, 1004, Look::Normal, Labelled(Symbol::Magnifier, "1280x960"), "size 1280x960 (doubled)"},
        {217, 1004, Look::Pressed, Labelled(Symbol::Magnifier, "1280x960"), "size 1280x960, checked"},
        {220, 1005, Look::Normal, Labelled(Symbol::Magnifier, "1600x1200"), "size 1600x1200 (doubled)"},
        {219, 1005, Look::Pressed, Labelled(Symbol::Magnifier, "1600x1200"), "size 1600x1200, checked"},
        {260, 1071, Look::Normal, Labelled(Symbol::Magnifier, "1600x1200"), "size 1600x1200 (second button)"},
        {261, 1071, Look::Pressed, Labelled(Symbol::Magnifier, "1600x1200"),
         "size 1600x1200 (second), checked"},
        {222, 1008, Look::Normal, Labelled(Symbol::Clock, "Clock"), "clock overlay"},
        {221, 1008, Look::Pressed, Labelled(Symbol::Clock, "Clock"), "clock overlay, pressed"},
        {224, 1012, Look::Normal, Labelled(Symbol::Stopwatch, "Timer"), "timer shot"},
        {223, 1012, Look::Pressed, Labelled(Symbol::Stopwatch, "Timer"), "timer shot, pressed"},
        {226, 1009, Look::Normal, Labelled(Symbol::Camera, "Snapshot"), "snapshot"},
        {225, 1009, Look::Pressed, Labelled(Symbol::Camera, "Snapshot"), "snapshot, pressed"},
        {228, 1036, Look::Normal, Labelled(Symbol::Gear, "Timer set"), "timer shot settings"},
        {227, 1036, Look::Pressed, Labelled(Symbol::Gear, "Timer set"), "timer shot settings, pressed"},
        {231, 1056, Look::Normal, recordIdle, "recorder, idle"},
        {229, 1056, Look::Recording, recordStop, "recorder, recording"},
        {233, 1013, Look::Normal, Labelled(Symbol::Info, "About"), "about"},
        {232, 1013, Look::Pressed, Labelled(Symbol::Info, "About"), "about, pressed"},
        {252, 1069, Look::Normal, Labelled(Symbol::Eye, "Monitor"), "motion monitor, off"},
        {251, 1069, Look::Pressed, Labelled(Symbol::Eye, "Monitor"), "motion monitor, on"},
    };
    const Image buttonMask = MaskOf(ButtonShape(kButtonWidth, kButtonHeight), kButtonWidth, kButtonHeight);
    for (const FaceSpec& f : faces) {
        const Image bg = standardBg(f.controlId);
        AddBitmap(items, f.id, "button_" + std::to_string(f.id) + ".bmp", f.description,
                  ClipToMask(PaintFace(bg, f.look, f.face), bg, buttonMask));
    }
    AddBitmap(items, 204, "mask_204.bmp", "mask of the 74x21 buttons", buttonMask);

    // Close and minimise: round window buttons in the title bar.
    const Image roundMask = MaskOf(Circle(7, 7, 6.5f), 14, 14);
    const Image closeBg = Background(skin, 1046, 14, 14), minimiseBg = Background(skin, 1054, 14, 14);
    AddBitmap(items, 236, "button_236.bmp", "close",
              ClipToMask(PaintWindowButton(closeBg, Hex(0xFF5F57), Symbol::Cross), closeBg, roundMask));
    AddBitmap(items, 239, "button_239.bmp", "minimise to the tray",
              ClipToMask(PaintWindowButton(minimiseBg, theme::kAmber, Symbol::Dash), minimiseBg, roundMask));
    AddBitmap(items, 235, "mask_235.bmp", "mask of the close button", roundMask);
    AddBitmap(items, 238, "mask_238.bmp", "mask of the minimise button", roundMask);

    // Recording lamp, drawn over the recorder's recording face.
    const Image lampMask = MaskOf(Circle(kLampX, kLampY, kLampRadius + 1.5f), 18, 21);
    const Image recorderOn = PaintFace(standardBg(1056), Look::Recording, recordStop).Crop(0, 0, 18, 21);
    const Image lampBg = Background(skin, 1057, 18, 21);
    AddBitmap(items, 248, "button_248.bmp", "recording lamp, lit",
              ClipToMask(PaintLamp(recorderOn, true), lampBg, lampMask));
    AddBitmap(items, 246, "button_246.bmp", "recording lamp, unlit",
              ClipToMask(PaintLamp(recorderOn, false), lampBg, lampMask));
    AddBitmap(items, 247, "mask_247.bmp", "mask of the recording lamp", lampMask);

    // Strip shown while audio is recorded.
    const Image stripMask = MaskOf(RoundRect(0, 0, 164, 15, 7.5f), 164, 15);
    const Image stripBg = Background(skin, 1055, 164, 15);
    AddBitmap(items, 242, "button_242.bmp", "audio-recording strip",
              ClipToMask(PaintAudioStrip(stripBg), stripBg, stripMask));
    AddBitmap(items, 240, "mask_240.bmp", "mask of the audio-recording strip", stripMask);
}

}  // namespace artwork
