#include "camera/pages/TextMask.h"

#include <algorithm>
#include <cstddef>
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

std::vector<std::wstring> SplitTextLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    if (text.empty()) return lines;
    std::wstring line;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') {
            line += c;
            continue;
        }
        if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        lines.push_back(line);
        line.clear();
    }
    lines.push_back(line);
    return lines;
}

bool RenderTextMask(const std::wstring& text, const LOGFONTW& font, TextMask& mask) {
    const std::vector<std::wstring> lines = SplitTextLines(text);
    if (lines.empty()) return false;
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
    TEXTMETRICW metrics{};
    if (!::GetTextMetricsW(dc.Get(), &metrics) || metrics.tmHeight <= 0) return false;
    const int lineHeight = metrics.tmHeight;
    std::vector<int> widths;
    int width = 0;
    for (const std::wstring& line : lines) {
        SIZE extent{};
        if (!line.empty() &&
            !::GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(line.size()), &extent))
            return false;
        widths.push_back(extent.cx);
        if (extent.cx > width) width = extent.cx;
    }
    const int height = lineHeight * static_cast<int>(lines.size());
    if (width <= 0) return false;

    // A 32-bit section instead of a screen-compatible bitmap: the same red test, but the pixels
    // are read in one go rather than one GetPixel each.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
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
        RECT all{0, 0, width, height};
        ::FillRect(dc.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty()) continue;
            ::TextOutW(dc.Get(), (width - widths[i]) / 2, lineHeight * static_cast<int>(i), lines[i].c_str(),
                       static_cast<int>(lines[i].size()));
        }
        ::GdiFlush();
    }
    TextMask result;
    result.width = width;
    result.height = height;
    result.bits.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    const auto* bgra = static_cast<const std::uint8_t*>(pixels);
    for (size_t i = 0; i < result.bits.size(); ++i) result.bits[i] = bgra[i * 4 + 2] != 0 ? 1 : 0;
    mask = std::move(result);
    return true;
}

void TurnTextMask(TextMask& mask, bool mirrored, bool upsideDown) {
    const size_t width = static_cast<size_t>(mask.width);
    if (width == 0 || mask.bits.size() < width * static_cast<size_t>(mask.height)) return;
    if (mirrored) {
        for (size_t row = 0; row < static_cast<size_t>(mask.height); ++row)
            std::reverse(mask.bits.begin() + static_cast<std::ptrdiff_t>(row * width),
                         mask.bits.begin() + static_cast<std::ptrdiff_t>((row + 1) * width));
    }
    if (upsideDown) {
        for (size_t top = 0, bottom = static_cast<size_t>(mask.height) - 1; top < bottom; ++top, --bottom)
            std::swap_ranges(mask.bits.begin() + static_cast<std::ptrdiff_t>(top * width),
                             mask.bits.begin() + static_cast<std::ptrdiff_t>((top + 1) * width),
                             mask.bits.begin() + static_cast<std::ptrdiff_t>(bottom * width));
    }
}
