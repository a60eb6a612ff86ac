#include "camera/photo/PhotoSizes.h"

namespace {

constexpr PhotoSize kPhotoSizes[kPhotoSizeCount] = {
    {160, 120},   {176, 144},   {320, 240},   {352, 288},   {640, 480},   {800, 600},
    {1024, 768},  {1280, 960},  {1280, 1024}, {1600, 1200}, {2592, 1944}, {2848, 2136},
    {3264, 2448}, {3648, 2736}, {4000, 3000}, {5160, 3870},
};

}  // namespace

PhotoSize PhotoSizeForIndex(int photoSize) {
    if (photoSize < 0 || photoSize >= kPhotoSizeCount) return PhotoSize{640, 480};
    return kPhotoSizes[photoSize];
}
