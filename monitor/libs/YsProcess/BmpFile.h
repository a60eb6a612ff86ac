// 24-bit BMP files from bottom-up BGR frames.
#pragma once

#include <cstdint>
#include <vector>

namespace ysp {

// The 54 bytes in front of the pixels: file header and BITMAPINFOHEADER of an uncompressed,
// bottom-up 24-bit picture. Empty when the size is not positive or the file would exceed 2 GB.
std::vector<uint8_t> Bmp24Headers(int width, int height);

// Writes the frame (rows of width * 3 bytes, bottom row first) as a BMP file whose rows are padded
// to 4 bytes. Returns false when the file cannot be written completely; a partly written file is
// removed so that no truncated picture is left behind.
bool WriteBmp24File(const char* path, const uint8_t* frame, int width, int height);

}  // namespace ysp
