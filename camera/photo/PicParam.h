#pragma once

// The photo buffer record handed to the JPEG writer: 24-bit pixels, rows of width x 3 bytes without
// padding, in the grabber's row order. The record only describes the pixels; PhotoBuffer owns them.
struct PIC_PARAM {
    int width;
    int height;
    int size;  // width x height x 3 bytes
    unsigned char* pixels;
};
