#include "monitor/controls/MaskRegion.h"

#include <cstdint>
#include <vector>

#include "framework/Handles.h"
#include "monitor/controls/MaskRuns.h"

namespace {

// The mask's pixels as top-down 32-bit rows.
bool ReadMaskPixels(HBITMAP mask, int& width, int& height, std::vector<uint8_t>& pixels) {
    BITMAP info = {};
    if (!mask || !::GetObject(mask, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) {
        ::OutputDebugStringA("CSkinButton: the mask is not a bitmap\n");
        return false;
    }
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
    ScopedGetDc screen(nullptr);
    if (!screen.Get() || ::GetDIBits(screen.Get(), mask, 0, static_cast<UINT>(height), pixels.data(), &bi,
                                     DIB_RGB_COLORS) != height) {
        ::OutputDebugStringA("CSkinButton: GetDIBits of the mask failed\n");
        return false;
    }
    return true;
}

}  // namespace

HRGN CreateRegionFromMask(HBITMAP mask, COLORREF outside) {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    if (!ReadMaskPixels(mask, width, height, pixels)) return nullptr;
    const uint32_t outsideRgb = (static_cast<uint32_t>(GetRValue(outside)) << 16) |
                                (static_cast<uint32_t>(GetGValue(outside)) << 8) | GetBValue(outside);
    const std::vector<skin::MaskRun> runs = skin::CollectMaskRuns(pixels.data(), width, height, outsideRgb);

    ScopedRegion outline(::CreateRectRgn(0, 0, 0, 0));
    ScopedRegion piece(::CreateRectRgn(0, 0, 0, 0));
    if (!outline || !piece) {
        ::OutputDebugStringA("CSkinButton: CreateRectRgn failed\n");
        return nullptr;
    }
    for (const skin::MaskRun& run : runs) {
        if (!::SetRectRgn(piece.Get(), run.left, run.top, run.right, run.bottom) ||
            ::CombineRgn(outline.Get(), outline.Get(), piece.Get(), RGN_OR) == ERROR) {
            ::OutputDebugStringA("CSkinButton: building the button outline failed\n");
            return nullptr;
        }
    }
    return outline.Release();
}
