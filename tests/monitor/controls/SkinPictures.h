// Pixels of bitmaps and of painted buttons, for comparing what a skinned button shows.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace skintest {

// Top-down pixels as 0x00RRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline uint32_t Rgb(COLORREF c) {
    return (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
           GetBValue(c);
}

inline Picture ReadBitmap(HBITMAP bitmap) {
    Picture p;
    BITMAP info = {};
    if (!bitmap || !::GetObject(bitmap, sizeof info, &info)) return p;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = info.bmWidth;
    bi.bmiHeader.biHeight = -info.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    p.width = info.bmWidth;
    p.height = info.bmHeight;
    p.pixels.resize(static_cast<size_t>(p.width) * p.height);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(p.height), p.pixels.data(), &bi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (uint32_t& px : p.pixels) px &= 0xFFFFFF;
    return p;
}

// A bitmap resource of the test program (the generated artwork).
inline Picture LoadPicture(UINT id) {
    HBITMAP bitmap = ::LoadBitmap(::GetModuleHandle(nullptr), MAKEINTRESOURCE(id));
    Picture p = ReadBitmap(bitmap);
    if (bitmap) ::DeleteObject(bitmap);
    return p;
}

// What a window paints into its client area (WM_PRINTCLIENT) over a background of one colour.
inline Picture PaintWindow(HWND wnd, uint32_t background) {
    RECT client;
    ::GetClientRect(wnd, &client);
    Picture p;
    p.width = client.right;
    p.height = client.bottom;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = p.width;
    bi.bmiHeader.biHeight = -p.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, dib);
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + static_cast<size_t>(p.width) * p.height, background);
    ::SendMessage(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::GdiFlush();
    p.pixels.assign(px, px + static_cast<size_t>(p.width) * p.height);
    for (uint32_t& v : p.pixels) v &= 0xFFFFFF;
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(dib);
    return p;
}

// Pixels inside the mask (not white) where `shown` differs from `expected`.
inline int InsideDifferences(const Picture& shown, const Picture& expected, const Picture& mask) {
    if (shown.width != mask.width || shown.height != mask.height || expected.width != mask.width ||
        expected.height != mask.height)
        return -1;
    int count = 0;
    for (size_t i = 0; i < mask.pixels.size(); ++i) {
        if (mask.pixels[i] != 0xFFFFFF && shown.pixels[i] != expected.pixels[i]) ++count;
    }
    return count;
}

// Inside pixels of `shown` that have exactly `colour`.
inline int InsideCount(const Picture& shown, uint32_t colour, const Picture& mask) {
    int count = 0;
    for (size_t i = 0; i < mask.pixels.size() && i < shown.pixels.size(); ++i) {
        if (mask.pixels[i] != 0xFFFFFF && shown.pixels[i] == colour) ++count;
    }
    return count;
}

inline int InsideTotal(const Picture& mask) {
    int count = 0;
    for (uint32_t v : mask.pixels) count += v != 0xFFFFFF;
    return count;
}

}  // namespace skintest
