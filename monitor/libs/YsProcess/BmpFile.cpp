#include "monitor/libs/YsProcess/BmpFile.h"

#include <cstdio>

namespace ysp {

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> Bmp24Headers(int width, int height) {
    std::vector<uint8_t> out;
    if (width <= 0 || height <= 0) return out;
    const uint64_t stride = (static_cast<uint64_t>(width) * 3 + 3) & ~uint64_t{3};
    const uint64_t image = stride * static_cast<uint64_t>(height);
    if (image + 54 > 0x7FFFFFFFu) return out;
    out.reserve(54);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<uint32_t>(image + 54));  // file size
    Put32(out, 0);                                  // reserved
    Put32(out, 54);                                 // offset of the pixels
    Put32(out, 40);                                 // BITMAPINFOHEADER size
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // positive: bottom-up
    Put16(out, 1);                              // planes
    Put16(out, 24);                             // bits per pixel
    Put32(out, 0);                              // BI_RGB
    Put32(out, static_cast<uint32_t>(image));
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    return out;
}

bool WriteBmp24File(const char* path, const uint8_t* frame, int width, int height) {
    if (!path || !*path || !frame) return false;
    const std::vector<uint8_t> headers = Bmp24Headers(width, height);
    if (headers.empty()) return false;
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    const size_t pad = (4 - rowBytes % 4) % 4;
    static const uint8_t zeros[3] = {0, 0, 0};
    bool ok = std::fwrite(headers.data(), 1, headers.size(), file) == headers.size();
    for (int row = 0; ok && row < height; ++row) {
        ok = std::fwrite(frame + rowBytes * static_cast<size_t>(row), 1, rowBytes, file) == rowBytes &&
             std::fwrite(zeros, 1, pad, file) == pad;
    }
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) std::remove(path);
    return ok;
}

}  // namespace ysp
