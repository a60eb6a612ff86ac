#include "tools/artwork/IconFile.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/BmpFile.h"

namespace artwork {

void RgbaImage::FillShape(const Shape& shape, const Paint& paint, float opacity) {
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float a = std::clamp(0.5f - shape(px, py), 0.0f, 1.0f) * opacity;
            if (a <= 0.0f) continue;
            float& dstA = alpha_[size_t(y) * Width() + x];
            const float outA = a + dstA * (1 - a);
            // Colour weighted by coverage so that edges over transparency keep their own colour.
            rgb_.Set(x, y, Mix(rgb_.At(x, y), paint(px, py), outA > 0 ? a / outA : 1.0f));
            dstA = outA;
        }
}

Image RgbaImage::Over(Rgb background) const {
    Image out(Width(), Height(), background);
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) out.Blend(x, y, rgb_.At(x, y), AlphaAt(x, y));
    return out;
}

namespace {

// BITMAPINFOHEADER (double height) + BGRA rows bottom-up + AND mask rows bottom-up.
std::vector<uint8_t> EncodeDib(const RgbaImage& p) {
    std::vector<uint8_t> out;
    const int w = p.Width(), h = p.Height();
    const uint32_t maskStride = ((uint32_t(w) + 31) / 32) * 4;
    PutLe32(out, 40);
    PutLe32(out, w);
    PutLe32(out, h * 2);
    PutLe16(out, 1);
    PutLe16(out, 32);
    PutLe32(out, 0);
    PutLe32(out, uint32_t(w) * h * 4 + maskStride * h);
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0);
    PutLe32(out, 0);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = p.ColourAt(x, y);
            const uint8_t a = uint8_t(std::lround(std::clamp(p.AlphaAt(x, y), 0.0f, 1.0f) * 255));
            // Icons store premultiplied-free colour; fully transparent pixels are black.
            out.push_back(a ? c.b : 0);
            out.push_back(a ? c.g : 0);
            out.push_back(a ? c.r : 0);
            out.push_back(a);
        }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (p.AlphaAt(x, y) < 0.5f) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

std::vector<uint8_t> EncodeDirectory(uint16_t type, const std::vector<const RgbaImage*>& pictures,
                                     const std::vector<CursorHotSpot>& hotSpots) {
    std::vector<uint8_t> out;
    PutLe16(out, 0);
    PutLe16(out, type);
    PutLe16(out, uint16_t(pictures.size()));
    std::vector<std::vector<uint8_t>> dibs;
    for (const RgbaImage* p : pictures) dibs.push_back(EncodeDib(*p));
    uint32_t offset = 6 + 16 * uint32_t(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) {
        out.push_back(uint8_t(pictures[i]->Width() & 0xFF));  // 256 would be stored as 0
        out.push_back(uint8_t(pictures[i]->Height() & 0xFF));
        out.push_back(0);  // colour count
        out.push_back(0);
        if (type == 1) {
            PutLe16(out, 1);   // planes
            PutLe16(out, 32);  // bits
        } else {
            PutLe16(out, uint16_t(hotSpots[i].x));
            PutLe16(out, uint16_t(hotSpots[i].y));
        }
        PutLe32(out, uint32_t(dibs[i].size()));
        PutLe32(out, offset);
        offset += uint32_t(dibs[i].size());
    }
    for (const auto& d : dibs) out.insert(out.end(), d.begin(), d.end());
    return out;
}

}  // namespace

std::vector<uint8_t> EncodeIcon(const std::vector<const RgbaImage*>& pictures) {
    return EncodeDirectory(1, pictures, {});
}

std::vector<uint8_t> EncodeCursor(const RgbaImage& picture, CursorHotSpot hotSpot) {
    return EncodeDirectory(2, {&picture}, {hotSpot});
}

}  // namespace artwork
