// Packed DIBs (BITMAPINFOHEADER, colour table, bottom-up rows) turned into top-down RGB rows.
#pragma once

#include <cstdint>
#include <string>

namespace jpegdib {

// Fields of the BITMAPINFOHEADER at the start of a packed DIB (read little-endian).
struct DibHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t bitCount;
};
DibHeader ReadDibHeader(const uint8_t* dib);

// Colour table entries in front of the pixels: 2, 16, 256 for 1, 4, 8 bits; 0 for deeper pictures.
int DibColourCount(int bitCount);

// Widens a 5-5-5 pixel (red bits 10-14, green 5-9, blue 0-4; bit 15 ignored) to 0x00RRGGBB:
// 0 stays 0, 1..30 become 8 * v + 8, 31 becomes 255.
uint32_t Expand555(uint16_t pixel);

// Fills rows[i] (rgbRowLength >= width * 3 bytes each, red, green, blue per pixel) from DIB row
// height - 1 - i, so rows[0] is the top of the picture. Depths 1, 4, 8, 16 (5-5-5), 24 and 32.
// On failure error (if given) is "Invalid input data" (no DIB, a row length not above 0 or shorter
// than a picture row, or a size that is not positive) or "Invalid bitmap bit count".
bool DibToRgbRows(const uint8_t* dib, int rgbRowLength, uint8_t* const* rows, std::string* error);

}  // namespace jpegdib
