#pragma once
// Every picture Orvello's resources carry, generated from code.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artwork/Image.h"

namespace artwork {

enum class ResourceKind { Bitmap, Icon, Cursor };

struct ArtworkItem {
    int id = 0;
    ResourceKind kind = ResourceKind::Bitmap;
    std::string fileName;        // inside the output folder
    std::string description;     // one line for the resource script
    Image image;                 // the bitmap itself, or a preview of an icon or cursor on grey
    std::vector<uint8_t> bytes;  // the file's bytes
};

struct ArtworkSet {
    std::vector<ArtworkItem> items;
    Image aboutPicture;  // 160 x 120, shipped as a byte array rather than a resource

    const ArtworkItem* Find(int id) const;
};

ArtworkSet GenerateArtwork();

// Adds a bitmap item (encodes the file bytes).
void AddBitmap(std::vector<ArtworkItem>& items, int id, const std::string& fileName,
               const std::string& description, Image image);

}  // namespace artwork
