#pragma once
// 24-bit bottom-up Windows bitmap files and raw BGR frames.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/artwork/Image.h"

namespace artwork {

// The bytes of a BITMAPFILEHEADER + BITMAPINFOHEADER + 24-bit bottom-up rows padded to 4 bytes.
std::vector<uint8_t> EncodeBmp(const Image& image);
// Reads a file made by EncodeBmp (24-bit, uncompressed, either row order); false on anything else.
bool DecodeBmp(const std::vector<uint8_t>& bytes, Image& out);
// Rows bottom-up, blue-green-red, width * 3 bytes a row without padding.
std::vector<uint8_t> BottomUpBgr(const Image& image);

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

void PutLe16(std::vector<uint8_t>& out, uint32_t v);
void PutLe32(std::vector<uint8_t>& out, uint32_t v);

}  // namespace artwork
