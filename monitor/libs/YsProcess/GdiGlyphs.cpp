#include "monitor/libs/YsProcess/GdiGlyphs.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/Handles.h"

namespace ysp {

bool RenderGdiGlyphs(GlyphAtlas& atlas) {
    ScopedDc dc(::CreateCompatibleDC(nullptr));
    ScopedFont font(::CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                  VARIABLE_PITCH | FF_SWISS, L"Tahoma"));
    if (!dc || !font) {
        ::OutputDebugStringA("YsProcess: cannot create the stamp font\n");
        return false;
    }
    ScopedSelect selectFont(dc.Get(), font.Get());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.Get(), &metrics);
    const int height = std::max<int>(metrics.tmHeight, 1);
    const int cellWidth = std::max<int>(metrics.tmMaxCharWidth, 1) + 4;

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cellWidth;
    bmi.bmiHeader.biHeight = -height;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap surface(::CreateDIBSection(dc.Get(), &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!surface || !bits) {
        ::OutputDebugStringA("YsProcess: cannot create the glyph surface\n");
        return false;
    }
    ScopedSelect selectSurface(dc.Get(), surface.Get());
    ::SetTextColor(dc.Get(), RGB(255, 255, 255));
    ::SetBkColor(dc.Get(), RGB(0, 0, 0));
    ::SetBkMode(dc.Get(), OPAQUE);

    GlyphAtlas result(height);
    std::vector<uint8_t> coverage;
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (int code = 32; code < 127; ++code) {
        const wchar_t ch = static_cast<wchar_t>(code);
        SIZE extent{};
        ::GetTextExtentPoint32W(dc.Get(), &ch, 1, &extent);
        const int width = std::clamp<int>(extent.cx, 1, cellWidth);
        RECT cell{0, 0, cellWidth, height};
        ::ExtTextOutW(dc.Get(), 0, 0, ETO_OPAQUE, &cell, &ch, 1, nullptr);
        ::GdiFlush();
        coverage.assign(static_cast<size_t>(width) * height, 0);
        for (int y = 0; y < height; ++y) {
            const uint8_t* row = pixels + static_cast<size_t>(y) * cellWidth * 4;
            for (int x = 0; x < width; ++x) {
                const uint8_t* px = row + x * 4;
                coverage[static_cast<size_t>(y) * width + x] = std::max({px[0], px[1], px[2]});
            }
        }
        result.SetGlyph(static_cast<char>(code), width, coverage.data());
    }
    atlas = std::move(result);
    return true;
}

}  // namespace ysp
