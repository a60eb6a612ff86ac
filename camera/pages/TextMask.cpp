#include "camera/pages/TextMask.h"

#include <cstring>

#include "framework/Handles.h"

LOGFONTW LogFontFromCharFormat(const CharFormatRecord& format) {
    LOGFONTW font;
    std::memset(&font, 0, sizeof font);
    font.lfHeight = format.yHeight / -15;
    font.lfWeight = (format.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = static_cast<BYTE>((format.dwEffects & CFE_ITALIC) ? 1 : 0);
    font.lfUnderline = static_cast<BYTE>((format.dwEffects & CFE_UNDERLINE) ? 1 : 0);
    font.lfStrikeOut = static_cast<BYTE>((format.dwEffects & CFE_STRIKEOUT) ? 1 : 0);
    font.lfCharSet = format.bCharSet;
    font.lfPitchAndFamily = format.bPitchAndFamily;
    static_assert(sizeof font.lfFaceName == sizeof format.szFaceName, "32 UTF-16 units each");
    std::memcpy(font.lfFaceName, format.szFaceName, sizeof font.lfFaceName);
    font.lfFaceName[LF_FACESIZE - 1] = 0;
    return font;
}

bool RenderTextMask(const std::wstring& text, const LOGFONTW& font, TextMask& mask) {
    if (text.empty()) return false;
    ScopedFont handle(::CreateFontIndirectW(&font));
    if (!handle) {
        OutputDebugStringW(L"RenderTextMask: CreateFontIndirectW failed\n");
        return false;
    }
    ScopedDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) {
        OutputDebugStringW(L"RenderTextMask: CreateCompatibleDC failed\n");
        return false;
    }
    ScopedSelect fontSelection(dc.Get(), handle.Get());
    SIZE extent{};
    if (!::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent) ||
        extent.cx <= 0 || extent.cy <= 0)
        return false;

    // A 32-bit section instead of a screen-compatible bitmap: the same red test, but the pixels
    // are read in one go rather than one GetPixel each.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = extent.cx;
    info.bmiHeader.biHeight = -extent.cy;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    ScopedBitmap bitmap(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || !pixels) {
        OutputDebugStringW(L"RenderTextMask: CreateDIBSection failed\n");
        return false;
    }
    {
        ScopedSelect bitmapSelection(dc.Get(), bitmap.Get());
        ::SetTextColor(dc.Get(), RGB(255, 0, 0));
        ::SetBkColor(dc.Get(), RGB(0, 0, 0));
        RECT all{0, 0, extent.cx, extent.cy};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        ::TextOutW(dc.Get(), 0, 0, text.c_str(), static_cast<int>(text.size()));
        ::GdiFlush();
    }
    TextMask result;
    result.width = extent.cx;
    result.height = extent.cy;
    result.bits.assign(static_cast<size_t>(extent.cx) * static_cast<size_t>(extent.cy), 0);
    const auto* bgra = static_cast<const std::uint8_t*>(pixels);
    for (size_t i = 0; i < result.bits.size(); ++i) result.bits[i] = bgra[i * 4 + 2] != 0 ? 1 : 0;
    mask = std::move(result);
    return true;
}
