#pragma once
// The About box's hidden picture: 160 x 120 pixels, 24-bit, rows bottom-up (blue, green, red),
// 480 bytes a row. The bytes are generated at build time (build/.../artwork/AboutPicture.cpp).

namespace orvello_artwork {

constexpr int kAboutPictureWidth = 160;
constexpr int kAboutPictureHeight = 120;
constexpr int kAboutPictureBytes = kAboutPictureWidth * kAboutPictureHeight * 3;

extern const unsigned char kAboutPicture[kAboutPictureBytes];

}  // namespace orvello_artwork
