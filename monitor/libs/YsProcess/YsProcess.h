// Image helpers of the monitor: control placement, bitmap copies, BMP stills, text stamps,
// zoom and window outlines. Frames are 24-bit bottom-up BGR, width * 3 bytes a row.
#pragma once

#include <windows.h>

// Moves a control to skin pixel (x, y) of its parent's client area; its size is kept.
BOOL SetBtnRect(HWND control, int x, int y);

// Copies a bitmap into a new 24-bit bottom-up BGR buffer, width * 3 bytes a row (no padding).
// The buffer is allocated with new[]: the caller frees it with delete[]. Null on failure.
BYTE* YsVideoBmp(HBITMAP bitmap);

// Writes the frame as a 24-bit BMP file. FALSE when it could not be written; no partial file is left.
BOOL CaptureToFile(const BYTE* frame, const char* path, int width, int height);

// Stamps text into the frame: light characters with a dark outline. (x, y) is the column and the
// buffer row of the text's top-left pixel; the text runs down the picture from there (about 18
// rows) and is clipped at the frame's edges. ':' is drawn as '-', ';' as ':' and '<' as a space,
// so the clock format "%Y:%m:%d<%H;%M;%S" reads as a date and a time.
void OutIamgeVideo(BYTE* frame, const char* text, int x, int y, int width, int height);

// Writes dst at twice the width and height of src (each pixel becomes a 2 x 2 block).
void ZoomImg(const BYTE* src, BYTE* dst, int width, int height);

// The region of the bitmap's pixels that are NOT within tolerance of the key colour; tolerance
// holds one limit per channel (0x101010 allows 16 in each). The caller owns the region (usually
// by handing it to SetWindowRgn). An all-key bitmap gives an empty region; null on failure.
HRGN BitmapToRegion(HBITMAP bitmap, COLORREF key, COLORREF tolerance);
