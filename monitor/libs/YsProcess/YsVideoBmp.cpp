#include "monitor/libs/YsProcess/YsProcess.h"

#include <cstring>
#include <new>

#include "monitor/libs/YsProcess/BitmapPixels.h"

BYTE* YsVideoBmp(HBITMAP bitmap) {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    if (!ysp::ReadBitmapPixels(bitmap, 24, true, width, height, pixels)) return nullptr;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    const size_t stride = (rowBytes + 3) & ~size_t{3};
    BYTE* copy = new (std::nothrow) BYTE[rowBytes * static_cast<size_t>(height)];
    if (!copy) {
        ::OutputDebugStringA("YsVideoBmp: out of memory\n");
        return nullptr;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(copy + rowBytes * row, pixels.data() + stride * row, rowBytes);
    }
    return copy;
}
