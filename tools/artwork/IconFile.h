#pragma once
// Pictures with transparency and the .ico / .cur files made from them.
#include <cstdint>
#include <vector>

#include "tools/artwork/Image.h"

namespace artwork {

class RgbaImage {
  public:
    RgbaImage(int width, int height) : rgb_(width, height), alpha_(size_t(width) * height, 0.0f) {}

    int Width() const { return rgb_.Width(); }
    int Height() const { return rgb_.Height(); }
    Rgb ColourAt(int x, int y) const { return rgb_.At(x, y); }
    float AlphaAt(int x, int y) const { return alpha_[size_t(y) * Width() + x]; }

    // Composites `paint` over the picture where `shape` covers it.
    void FillShape(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void FillShape(const Shape& shape, Rgb colour, float opacity = 1.0f) {
        FillShape(shape, Solid(colour), opacity);
    }
    // Lays the picture over `background` (opaque result).
    Image Over(Rgb background) const;

  private:
    Image rgb_;
    std::vector<float> alpha_;
};

struct CursorHotSpot {
    int x = 0, y = 0;
};

// An icon file with one 32-bit image per picture (alpha plus an AND mask for old displays).
std::vector<uint8_t> EncodeIcon(const std::vector<const RgbaImage*>& pictures);
// A cursor file with one 32-bit picture and its hot spot.
std::vector<uint8_t> EncodeCursor(const RgbaImage& picture, CursorHotSpot hotSpot);

}  // namespace artwork
