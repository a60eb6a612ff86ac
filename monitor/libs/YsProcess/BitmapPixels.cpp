#include "monitor/libs/YsProcess/BitmapPixels.h"

#include "framework/Handles.h"

namespace ysp {

bool ReadBitmapPixels(HBITMAP bitmap, int bitsPerPixel, bool bottomUp, int& width, int& height,
                      std::vector<uint8_t>& pixels) {
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) {
        ::OutputDebugStringA("YsProcess: not a usable bitmap\n");
        return false;
    }
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = info.bmWidth;
    bmi.bmiHeader.biHeight = bottomUp ? info.bmHeight : -info.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
    bmi.bmiHeader.biCompression = BI_RGB;
    const size_t stride = ((static_cast<size_t>(info.bmWidth) * bitsPerPixel + 31) / 32) * 4;
    std::vector<uint8_t> out(stride * static_cast<size_t>(info.bmHeight));
    ScopedDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        ::OutputDebugStringA("YsProcess: CreateCompatibleDC failed\n");
        return false;
    }
    const int rows =
        ::GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), out.data(), &bmi, DIB_RGB_COLORS);
    if (rows != info.bmHeight) {
        ::OutputDebugStringA("YsProcess: GetDIBits failed\n");
        return false;
    }
    width = info.bmWidth;
    height = info.bmHeight;
    pixels.swap(out);
    return true;
}

}  // namespace ysp
