#include "tools/artwork/PreviewSheet.h"

#include <string>

#include "tools/artwork/PixelFont.h"
#include "tools/artwork/SkinLayout.h"
#include "tools/artwork/Theme.h"

namespace artwork {

namespace {

// Scaled copy, nearest neighbour, so pixels can be inspected.
void PasteScaled(Image& dst, const Image& src, int x, int y, int scale) {
    for (int sy = 0; sy < src.Height() * scale; ++sy)
        for (int sx = 0; sx < src.Width() * scale; ++sx)
            if (dst.Contains(x + sx, y + sy)) dst.Set(x + sx, y + sy, src.At(sx / scale, sy / scale));
}

}  // namespace

Image PreviewSheet(const ArtworkSet& set) {
    constexpr int kScale = 2, kColumn = 4 * (74 * kScale + 8) + 20;
    Image sheet(2 * kColumn + 280, 11 * (21 * kScale + 30) + 40, Hex(0x3C3F44));
    int col = 0, row = 0;
    for (const ButtonPlace& place : SkinButtons()) {
        const int ids[4] = {place.normal, place.checked, place.disabled, place.mask};
        const int x0 = 20 + col * kColumn, y0 = 16 + row * (21 * kScale + 30);
        PixelFont::Draw(sheet, x0, y0, "control " + std::to_string(place.controlId), theme::kText);
        int x = x0;
        for (int id : ids) {
            const ArtworkItem* item = id ? set.Find(id) : nullptr;
            if (item == nullptr) continue;
            PasteScaled(sheet, item->image, x, y0 + 12, kScale);
            PixelFont::Draw(sheet, x, y0 + 14 + item->image.Height() * kScale, std::to_string(id),
                            theme::kTextDim);
            x += item->image.Width() * kScale + 8;
        }
        if (++row == 11) {
            row = 0;
            ++col;
        }
    }
    // Small pictures at the end of the last column.
    int x = 20 + (col + 1) * kColumn, y = 16;
    if (x + 200 > sheet.Width()) {
        x = 20 + col * kColumn;
        y = 16 + (row + 1) * (21 * kScale + 30);
    }
    for (int id : {198, 257, 128, 193}) {
        const ArtworkItem* item = set.Find(id);
        if (item == nullptr) continue;
        PixelFont::Draw(sheet, x, y, std::to_string(id), theme::kText);
        PasteScaled(sheet, item->image, x, y + 12, 3);
        y += item->image.Height() * 3 + 24;
    }
    return sheet;
}

}  // namespace artwork

namespace artwork {

Image WindowPreview(const ArtworkSet& set, bool checkedLook) {
    const ArtworkItem* skinItem = set.Find(142);
    Image window = skinItem->image;
    for (const FieldLabel& label : SkinFieldLabels()) {
        window.FillShape(RoundRect(132, label.y, 265, label.y + 20, 0), Hex(0x7A7A7A));
        window.FillShape(RoundRect(133, label.y + 1, 264, label.y + 19, 0), Hex(0xFFFFFF));
    }
    for (const ButtonPlace& place : SkinButtons()) {
        if (place.x < 0) continue;
        const bool hiddenAtStart = place.controlId == 1057 || place.controlId == 1055;
        if (hiddenAtStart && !checkedLook) continue;
        int id = checkedLook && place.checked ? place.checked : place.normal;
        if (checkedLook && place.controlId == 1068) id = place.checked;
        const ArtworkItem* picture = set.Find(id);
        const ArtworkItem* mask = set.Find(place.mask);
        if (picture == nullptr || mask == nullptr) continue;
        for (int y = 0; y < mask->image.Height(); ++y)
            for (int x = 0; x < mask->image.Width(); ++x)
                if (mask->image.At(x, y) != Hex(0xFFFFFF))
                    window.Set(place.x + x, place.y + y, picture->image.At(x, y));
    }
    return window;
}

}  // namespace artwork
