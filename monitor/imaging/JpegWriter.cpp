#include "monitor/imaging/JpegWriter.h"

#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "framework/ModalHook.h"
#include "monitor/imaging/DibRows.h"
#include "monitor/imaging/JpegDibWriter.h"

namespace {

// GDI may add three colour masks behind the header of a 16 or 32-bit DIB; the block keeps room
// for them so such a reply can never write past it.
constexpr size_t kMaskSlack = 3 * sizeof(DWORD);

void LogFailure(const char* what) {
    char line[160];
    wsprintfA(line, "CJpegWriter: %s (error %lu)\n", what, ::GetLastError());
    ::OutputDebugStringA(line);
}

// libjpeg's messages, shown as the library's standard handler would but as a window of ours.
void ShowJpegMessage(const char* message) {
    fw::ShowMessageBox(::GetActiveWindow(), message, "JPEG Error", MB_OK);
}

}  // namespace

bool CJpegWriter::ConvertBmpFileToJpeg(LPCSTR bmpPath, LPCSTR jpegPath) {
    ScopedBitmap bitmap(
        static_cast<HBITMAP>(::LoadImageA(nullptr, bmpPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    if (!bitmap) {
        LogFailure("cannot load the BMP file");
        return false;
    }
    HANDLE dib = DdbToDib(bitmap.Get(), BI_RGB, nullptr);
    if (!dib) return false;
    CString error;
    WriteJpeg(dib, 100, jpegPath, &error);
    if (!error.IsEmpty()) ::OutputDebugStringA(CString("CJpegWriter: " + error + "\n"));
    ::GlobalFree(dib);
    return true;
}

HANDLE CJpegWriter::DdbToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette) {
    if (compression == BI_BITFIELDS) return nullptr;
    if (!palette) palette = static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) == 0) {
        LogFailure("not a bitmap");
        return nullptr;
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(info.bmPlanes * info.bmBitsPixel);
    header.biCompression = compression;
    const int colours = jpegdib::DibColourCount(header.biBitCount);
    const size_t headerBytes = sizeof(BITMAPINFOHEADER) + 4 * static_cast<size_t>(colours);

    ScopedGetDc screen(nullptr);
    HPALETTE oldPalette = ::SelectPalette(screen.Get(), palette, FALSE);
    ::RealizePalette(screen.Get());
    auto restore = [&] { ::SelectPalette(screen.Get(), oldPalette, FALSE); };

    HGLOBAL block = ::GlobalAlloc(GMEM_FIXED, headerBytes + kMaskSlack);
    if (!block) {
        LogFailure("GlobalAlloc failed");
        restore();
        return nullptr;
    }
    auto* bih = static_cast<BITMAPINFOHEADER*>(block);
    *bih = header;
    ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(header.biHeight), nullptr,
                reinterpret_cast<BITMAPINFO*>(bih), DIB_RGB_COLORS);
    bih->biCompression = compression;  // the rows are asked for in the requested format
    if (bih->biSizeImage == 0) {
        bih->biSizeImage = ((bih->biWidth * bih->biBitCount + 31) & ~31) / 8 * bih->biHeight;
        if (compression != BI_RGB) bih->biSizeImage = bih->biSizeImage * 3 / 2;
    }
    HGLOBAL grown = ::GlobalReAlloc(block, headerBytes + bih->biSizeImage + kMaskSlack, GMEM_MOVEABLE);
    if (!grown) {
        LogFailure("GlobalReAlloc failed");
        ::GlobalFree(block);
        restore();
        return nullptr;
    }
    block = grown;
    bih = static_cast<BITMAPINFOHEADER*>(block);
    const int rows = ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(bih->biHeight),
                                 static_cast<BYTE*>(block) + headerBytes, reinterpret_cast<BITMAPINFO*>(bih),
                                 DIB_RGB_COLORS);
    if (rows == 0) {
        LogFailure("GetDIBits failed");
        ::GlobalFree(block);
        restore();
        return nullptr;
    }
    restore();
    return block;
}

bool CJpegWriter::WriteJpeg(HANDLE dib, int quality, LPCSTR fileName, CString* error) {
    const auto* block = static_cast<const uint8_t*>(dib);
    if (!error) return jpegdib::WriteJpeg(block, quality, fileName, nullptr, ShowJpegMessage);
    std::string text;
    const bool written = jpegdib::WriteJpeg(block, quality, fileName, &text, ShowJpegMessage);
    *error = text.c_str();
    return written;
}

bool CJpegWriter::DibToRgbRows(HANDLE dib, int rgbRowLength, BYTE** rows, CString* error) {
    std::string text;
    const bool converted = jpegdib::DibToRgbRows(static_cast<const uint8_t*>(dib), rgbRowLength, rows, &text);
    if (!converted && error) *error = text.c_str();
    return converted;
}

DWORD CJpegWriter::Expand555(WORD pixel) {
    return jpegdib::Expand555(pixel);
}
