#pragma once
// A plain RGB picture with anti-aliased painting helpers used by every piece of generated artwork.
#include <cstdint>
#include <functional>
#include <vector>

namespace artwork {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr Rgb Hex(uint32_t v) {
    return Rgb{uint8_t((v >> 16) & 0xFF), uint8_t((v >> 8) & 0xFF), uint8_t(v & 0xFF)};
}

Rgb Mix(Rgb a, Rgb b, float t);  // t = 0 gives a, 1 gives b

// Signed distance of a point to a shape: negative inside, positive outside, in pixels.
using Shape = std::function<float(float x, float y)>;
// Colour of the paint at a point.
using Paint = std::function<Rgb(float x, float y)>;

class Image {
  public:
    Image() = default;
    Image(int width, int height, Rgb fill = Rgb{});

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb At(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
    void Set(int x, int y, Rgb c) { pixels_[size_t(y) * width_ + x] = c; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void Fill(Rgb c);
    void Blend(int x, int y, Rgb c, float alpha);
    // Paints `paint` where `shape` covers pixels, with a one-pixel soft edge; `opacity` scales it.
    void FillShape(const Shape& shape, const Paint& paint, float opacity = 1.0f);
    void FillShape(const Shape& shape, Rgb colour, float opacity = 1.0f);
    // Copies `src` with its top-left corner at (x, y), clipped.
    void Paste(const Image& src, int x, int y);
    Image Crop(int x, int y, int w, int h) const;

  private:
    int width_ = 0, height_ = 0;
    std::vector<Rgb> pixels_;
};

// Shapes (signed distance functions).
Shape RoundRect(float x0, float y0, float x1, float y1, float radius);
Shape Circle(float cx, float cy, float radius);
Shape Segment(float ax, float ay, float bx, float by, float halfWidth);
Shape Ring(float cx, float cy, float radius, float halfWidth);
Shape Polygon(std::vector<float> xy);  // convex, any winding
Shape Union(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Grow(Shape a, float by);

// Paints.
Paint Solid(Rgb c);
Paint VerticalGradient(float y0, Rgb top, float y1, Rgb bottom);
Paint RadialGradient(float cx, float cy, float radius, Rgb inner, Rgb outer);

}  // namespace artwork
