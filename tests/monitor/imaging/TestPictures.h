// Test pictures: packed DIBs built in memory from an RGB picture, and JPEG files decoded back.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace testpic {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};

// A picture stored top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline Picture MakePicture(int width, int height, const std::function<Rgb(int, int)>& colour) {
    Picture p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) p.pixels.push_back(colour(x, y));
    return p;
}

inline void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A packed DIB of the given depth. For 1, 4 and 8 bits, index(x, y) picks the colour table entry
// and table gives the entries; for deeper pictures the colour comes from picture (5-5-5 at 16 bits
// keeps the top five bits of each channel).
inline std::vector<uint8_t> MakeDib(int bits, const Picture& picture, const std::vector<Rgb>& table = {},
                                    const std::function<int(int, int)>& index = {}) {
    const int w = picture.width;
    const int h = picture.height;
    const size_t stride = ((static_cast<size_t>(w) * bits + 31) / 32) * 4;
    const size_t colours = bits <= 8 ? (size_t{1} << bits) : 0;
    std::vector<uint8_t> dib(40 + 4 * colours + stride * h, 0);
    Put32(dib, 0, 40);
    Put32(dib, 4, static_cast<uint32_t>(w));
    Put32(dib, 8, static_cast<uint32_t>(h));
    dib[12] = 1;
    dib[14] = static_cast<uint8_t>(bits);
    Put32(dib, 20, static_cast<uint32_t>(stride * h));
    for (size_t i = 0; i < table.size() && i < colours; ++i) {
        dib[40 + 4 * i] = table[i].b;
        dib[41 + 4 * i] = table[i].g;
        dib[42 + 4 * i] = table[i].r;
    }
    uint8_t* rows = dib.data() + 40 + 4 * colours;
    for (int y = 0; y < h; ++y) {
        uint8_t* row = rows + stride * static_cast<size_t>(h - 1 - y);  // bottom-up
        for (int x = 0; x < w; ++x) {
            const Rgb c = picture.At(x, y);
            switch (bits) {
                case 1:
                    row[x / 8] |= static_cast<uint8_t>((index(x, y) & 1) << (7 - x % 8));
                    break;
                case 4:
                    row[x / 2] |= static_cast<uint8_t>((index(x, y) & 15) << (x % 2 ? 0 : 4));
                    break;
                case 8:
                    row[x] = static_cast<uint8_t>(index(x, y));
                    break;
                case 16: {
                    const unsigned v = ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
                    row[2 * x] = static_cast<uint8_t>(v);
                    row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                    break;
                }
                case 24:
                    row[3 * x] = c.b, row[3 * x + 1] = c.g, row[3 * x + 2] = c.r;
                    break;
                case 32:
                    row[4 * x] = c.b, row[4 * x + 1] = c.g, row[4 * x + 2] = c.r, row[4 * x + 3] = 0x5A;
                    break;
            }
        }
    }
    return dib;
}

// Decodes a JPEG file to RGB; an empty picture when it cannot be read.
inline Picture DecodeJpeg(const std::string& path) {
    Picture out;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return out;
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    std::vector<uint8_t> row(static_cast<size_t>(out.width) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (int x = 0; x < out.width; ++x)
            out.pixels.push_back({row[3 * x], row[3 * x + 1], row[3 * x + 2]});
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return out;
}

// Largest and mean channel difference between two pictures of the same size.
struct Difference {
    int max = 0;
    double mean = 0;
};
inline Difference Compare(const Picture& a, const Picture& b) {
    Difference d;
    if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return {255, 255};
    long long sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            const int va = c == 0 ? a.pixels[i].r : c == 1 ? a.pixels[i].g : a.pixels[i].b;
            const int vb = c == 0 ? b.pixels[i].r : c == 1 ? b.pixels[i].g : b.pixels[i].b;
            const int diff = va > vb ? va - vb : vb - va;
            d.max = diff > d.max ? diff : d.max;
            sum += diff;
        }
    }
    d.mean = static_cast<double>(sum) / (3.0 * a.pixels.size());
    return d;
}

inline bool FileExists(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // namespace testpic
