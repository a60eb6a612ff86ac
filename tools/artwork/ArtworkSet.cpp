#include "tools/artwork/ArtworkSet.h"

#include "tools/artwork/BmpFile.h"
#include "tools/artwork/Buttons.h"
#include "tools/artwork/IconFile.h"
#include "tools/artwork/Icons.h"
#include "tools/artwork/Skin.h"
#include "tools/artwork/Splash.h"

namespace artwork {

const ArtworkItem* ArtworkSet::Find(int id) const {
    for (const ArtworkItem& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

void AddBitmap(std::vector<ArtworkItem>& items, int id, const std::string& fileName,
               const std::string& description, Image image) {
    ArtworkItem item;
    item.id = id;
    item.kind = ResourceKind::Bitmap;
    item.fileName = fileName;
    item.description = description;
    item.bytes = EncodeBmp(image);
    item.image = std::move(image);
    items.push_back(std::move(item));
}

ArtworkSet GenerateArtwork() {
    ArtworkSet set;
    Image skin = PaintSkin();
    AddBitmap(set.items, 141, "splash_141.bmp", "splash screen", PaintSplash());
    AddButtonArt(skin, set.items);
    AddBitmap(set.items, 142, "skin_142.bmp", "main window skin", std::move(skin));
    AddBitmap(set.items, 198, "camera_198.bmp", "camera icon of the timer-shot countdown", PaintCameraIcon());
    AddBitmap(set.items, 257, "target_257.bmp", "target icon of the motion-still count", PaintTargetIcon());

    const RgbaImage icon16 = PaintAppIcon(16), icon32 = PaintAppIcon(32), icon48 = PaintAppIcon(48);
    ArtworkItem icon;
    icon.id = 128;
    icon.kind = ResourceKind::Icon;
    icon.fileName = "orvello_128.ico";
    icon.description = "program icon (16, 32, 48)";
    icon.bytes = EncodeIcon({&icon16, &icon32, &icon48});
    icon.image = icon48.Over(Hex(0x808080));
    set.items.push_back(std::move(icon));

    const RgbaImage hand = PaintHandCursor();
    ArtworkItem cursor;
    cursor.id = 193;
    cursor.kind = ResourceKind::Cursor;
    cursor.fileName = "hand_193.cur";
    cursor.description = "pointer over buttons";
    cursor.bytes = EncodeCursor(hand, HandCursorHotSpot());
    cursor.image = hand.Over(Hex(0x808080));
    set.items.push_back(std::move(cursor));

    set.aboutPicture = PaintAboutPicture();
    return set;
}

}  // namespace artwork
