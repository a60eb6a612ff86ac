#include "tools/artwork/BmpFile.h"

#include <cstdio>

namespace artwork {

void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    PutLe16(out, v & 0xFFFF);
    PutLe16(out, v >> 16);
}

namespace {
uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}
}  // namespace

std::vector<uint8_t> EncodeBmp(const Image& image) {
    const uint32_t stride = (uint32_t(image.Width()) * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * image.Height();
    std::vector<uint8_t> out;
    out.reserve(54 + dataSize);
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, 54 + dataSize);
    PutLe32(out, 0);
    PutLe32(out, 54);
    PutLe32(out, 40);
    PutLe32(out, image.Width());
    PutLe32(out, image.Height());  // positive: bottom-up
    PutLe16(out, 1);
    PutLe16(out, 24);
    PutLe32(out, 0);  // BI_RGB
    PutLe32(out, dataSize);
    PutLe32(out, 2835);  // 72 dpi
    PutLe32(out, 2835);
    PutLe32(out, 0);
    PutLe32(out, 0);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = image.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (uint32_t pad = uint32_t(image.Width()) * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

bool DecodeBmp(const std::vector<uint8_t>& bytes, Image& out) {
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t offset = Le32(bytes, 10);
    const int32_t width = int32_t(Le32(bytes, 18));
    const int32_t rawHeight = int32_t(Le32(bytes, 22));
    if (Le32(bytes, 14) < 40 || Le16(bytes, 28) != 24 || Le32(bytes, 30) != 0) return false;
    if (width <= 0 || rawHeight == 0 || width > 16384 || rawHeight > 16384 || rawHeight < -16384)
        return false;
    const bool bottomUp = rawHeight > 0;
    const int height = bottomUp ? rawHeight : -rawHeight;
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    if (offset > bytes.size() || bytes.size() - offset < stride * height) return false;
    Image image(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = bottomUp ? height - 1 - row : row;
        const size_t base = offset + stride * row;
        for (int x = 0; x < width; ++x)
            image.Set(x, y, Rgb{bytes[base + 3 * x + 2], bytes[base + 3 * x + 1], bytes[base + 3 * x]});
    }
    out = std::move(image);
    return true;
}

std::vector<uint8_t> BottomUpBgr(const Image& image) {
    std::vector<uint8_t> out;
    out.reserve(size_t(image.Width()) * image.Height() * 3);
    for (int y = image.Height() - 1; y >= 0; --y)
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = image.At(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
    return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return false;
    bytes.clear();
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return true;
}

}  // namespace artwork
