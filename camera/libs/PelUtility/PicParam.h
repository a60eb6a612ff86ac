#pragma once

// The photo record that BmpToJpeg writes: 24-bit pixels, B G R per pixel, rows of width x 3 bytes
// without padding, bottom row first (the sample grabber's order). The record only describes the
// pixels; whoever hands it over owns them.
struct PIC_PARAM {
    int width;
    int height;
    int size;  // width x height x 3 bytes
    unsigned char* pixels;
};
