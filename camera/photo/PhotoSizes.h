#pragma once

// The photo sizes the configuration page offers, indexed by the stored photo size.
struct PhotoSize {
    int width;
    int height;
};

constexpr int kPhotoSizeCount = 16;

// Size of a photo size index; any index outside the list means 640 x 480.
PhotoSize PhotoSizeForIndex(int photoSize);
