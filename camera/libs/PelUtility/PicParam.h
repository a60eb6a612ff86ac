// The photo record that BmpToJpeg writes: 24-bit pixels, B G R per pixel, rows of width * 3 bytes
// without padding, bottom row first (the sample grabber's order). The photo code owns the type;
// this header only makes sure the library sees the same single definition.
#pragma once

#if __has_include("camera/photo/PicParam.h")
#include "camera/photo/PicParam.h"
#else
struct PIC_PARAM {
    int width;
    int height;
    int size;  // width * height * 3
    unsigned char* pixels;
};
#endif
