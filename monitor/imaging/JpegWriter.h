// CJpegWriter: turns a still stored as a BMP file into a baseline JPEG file. Made on the stack for
// one conversion; it keeps no state.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CJpegWriter {
  public:
    // Loads the BMP (as a screen-compatible bitmap), makes a DIB of it and writes the JPEG at
    // quality 100. True when the bitmap loaded and the DIB was made, whatever the write reported.
    bool ConvertBmpFileToJpeg(LPCSTR bmpPath, LPCSTR jpegPath);

    // A packed DIB (header, colour table for 1, 4 and 8 bits, bottom-up rows) of the bitmap, in a
    // GMEM_FIXED block the caller frees with GlobalFree; null on failure. BI_BITFIELDS is refused;
    // a null palette means the stock default palette.
    HANDLE DdbToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette);

    // Compresses the DIB into fileName (baseline, the given quality 0..100). error is "" exactly
    // when the file was written; otherwise "Invalid input data", "Cannot open <file>", a row
    // conversion text or libjpeg's message. No error text given: fails silently. libjpeg's own
    // messages are shown in a "JPEG Error" box (through the framework's message-box seam); a
    // failed write leaves no file.
    bool WriteJpeg(HANDLE dib, int quality, LPCSTR fileName, CString* error);

    // Top-down RGB rows from the DIB's bottom-up rows (1, 4, 8, 16, 24 and 32 bits).
    bool DibToRgbRows(HANDLE dib, int rgbRowLength, BYTE** rows, CString* error);

    // A 5-5-5 pixel widened to 0x00RRGGBB.
    DWORD Expand555(WORD pixel);
};
