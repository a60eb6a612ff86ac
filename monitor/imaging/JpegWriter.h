// CJpegWriter: turns a still stored as a BMP file into a baseline JPEG file. Made on the stack for
// one conversion; it keeps no state.
#pragma once

#include <windows.h>

#include <string>

#include "monitor/imaging/JpegDibWriter.h"

class CJpegWriter {
  public:
    // Loads the BMP (as a screen-compatible bitmap), makes a DIB of it and writes the JPEG at
    // quality 100. True when the bitmap loaded and the DIB was made, whatever the write reported.
    bool ConvertBmpFileToJpeg(const char* bmpPath, const char* jpegPath);

    // A packed DIB (header, colour table for 1, 4 and 8 bits, bottom-up rows) of the bitmap, in a
    // GMEM_FIXED block the caller frees with GlobalFree; null on failure. BI_BITFIELDS is refused;
    // a null palette means the stock default palette.
    HANDLE DdbToDib(HBITMAP bitmap, DWORD compression, HPALETTE palette);

    // See jpegdib::WriteJpeg: error is "" exactly when the file was written.
    bool WriteJpeg(HANDLE dib, int quality, const char* fileName, std::string* error);

    // Top-down RGB rows from the DIB's bottom-up rows (1, 4, 8, 16, 24 and 32 bits).
    bool DibToRgbRows(HANDLE dib, int rgbRowLength, BYTE** rows, std::string* error);

    // A 5-5-5 pixel widened to 0x00RRGGBB.
    DWORD Expand555(WORD pixel);
};

// Where libjpeg's messages are shown; the default is the "JPEG Error" message box.
using JpegMessageReporter = jpegdib::MessageReporter;
inline JpegMessageReporter SetJpegMessageReporter(JpegMessageReporter reporter) {
    return jpegdib::SetMessageReporter(reporter);
}
