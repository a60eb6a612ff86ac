#include "tools/artwork/Image.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {
uint8_t Channel(float v) {
    return uint8_t(std::clamp(std::lround(v), 0L, 255L));
}
}  // namespace

Rgb Mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return Rgb{Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
               Channel(a.b + (b.b - a.b) * t)};
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

void Image::Fill(Rgb c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Image::Blend(int x, int y, Rgb c, float alpha) {
    if (!Contains(x, y) || alpha <= 0.0f) return;
    Set(x, y, Mix(At(x, y), c, alpha));
}

void Image::FillShape(const Shape& shape, const Paint& paint, float opacity) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float d = shape(px, py);
            const float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
            if (coverage > 0.0f) Blend(x, y, paint(px, py), coverage * opacity);
        }
    }
}

void Image::FillShape(const Shape& shape, Rgb colour, float opacity) {
    FillShape(shape, Solid(colour), opacity);
}

void Image::Paste(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.Height(); ++sy)
        for (int sx = 0; sx < src.Width(); ++sx)
            if (Contains(x + sx, y + sy)) Set(x + sx, y + sy, src.At(sx, sy));
}

Image Image::Crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int cy = 0; cy < h; ++cy)
        for (int cx = 0; cx < w; ++cx)
            if (Contains(x + cx, y + cy)) out.Set(cx, cy, At(x + cx, y + cy));
    return out;
}

Shape RoundRect(float x0, float y0, float x1, float y1, float radius) {
    const float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    const float hx = (x1 - x0) * 0.5f, hy = (y1 - y0) * 0.5f;
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - hx + radius;
        const float qy = std::fabs(y - cy) - hy + radius;
        const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

Shape Circle(float cx, float cy, float radius) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Segment(float ax, float ay, float bx, float by, float halfWidth) {
    return [=](float x, float y) {
        const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
        const float len2 = dx * dx + dy * dy;
        const float t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0f, 1.0f) : 0.0f;
        return std::hypot(px - dx * t, py - dy * t) - halfWidth;
    };
}

Shape Ring(float cx, float cy, float radius, float halfWidth) {
    return [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - radius) - halfWidth; };
}

Shape Polygon(std::vector<float> xy) {
    // Orient counter-clockwise in screen space once so that "inside" is on a known side.
    const size_t n = xy.size() / 2;
    float area = 0;
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        area += xy[2 * i] * xy[2 * j + 1] - xy[2 * j] * xy[2 * i + 1];
    }
    const float sign = area > 0 ? 1.0f : -1.0f;
    return [xy, n, sign](float x, float y) {
        float d = -1e9f;
        for (size_t i = 0; i < n; ++i) {
            const size_t j = (i + 1) % n;
            const float ex = xy[2 * j] - xy[2 * i], ey = xy[2 * j + 1] - xy[2 * i + 1];
            const float len = std::hypot(ex, ey);
            if (len == 0) continue;
            // Distance to the edge's line, positive on the outer side.
            const float side = ((x - xy[2 * i]) * ey - (y - xy[2 * i + 1]) * ex) / len * sign;
            d = std::max(d, side);
        }
        return d;
    };
}

Shape Union(Shape a, Shape b) {
    return [a, b](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Shape Intersect(Shape a, Shape b) {
    return [a, b](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Shape Subtract(Shape a, Shape b) {
    return [a, b](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Shape Grow(Shape a, float by) {
    return [a, by](float x, float y) { return a(x, y) - by; };
}

Paint Solid(Rgb c) {
    return [c](float, float) { return c; };
}

Paint VerticalGradient(float y0, Rgb top, float y1, Rgb bottom) {
    return [=](float, float y) { return Mix(top, bottom, (y - y0) / (y1 - y0)); };
}

Paint RadialGradient(float cx, float cy, float radius, Rgb inner, Rgb outer) {
    return [=](float x, float y) { return Mix(inner, outer, std::hypot(x - cx, y - cy) / radius); };
}

}  // namespace artwork
