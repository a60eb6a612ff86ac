// Reads a GDI bitmap's pixels through GetDIBits.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace ysp {

// Pixels of the bitmap as rows of the given depth (24 or 32 bits), padded to 4 bytes, bottom row
// first when bottomUp, else top row first. False (and a log line) when GDI cannot provide them.
bool ReadBitmapPixels(HBITMAP bitmap, int bitsPerPixel, bool bottomUp, int& width, int& height,
                      std::vector<uint8_t>& pixels);

}  // namespace ysp
