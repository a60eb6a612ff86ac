// Pictures for checking what the programs show and write: screen grabs of windows, BMP and JPEG
// files, compared with a tolerance (JPEG noise, scaling).
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;  // top-down rows, 3 bytes a pixel, no padding

    bool Empty() const { return width <= 0 || height <= 0; }
    const uint8_t* At(int x, int y) const { return &bgr[(static_cast<size_t>(y) * width + x) * 3]; }
    Picture Mirrored() const;
    Picture Crop(int x, int y, int w, int h) const;
};

// The client area of a window as it is on the screen (the window is raised first).
Picture GrabClient(HWND window);
// The whole window, frame included.
Picture GrabWindow(HWND window);

bool SaveBmp(const Picture& picture, const std::wstring& path);
Picture LoadBmp(const std::wstring& path);   // 24-bit files only
Picture LoadJpeg(const std::wstring& path);  // through libjpeg

// Mean absolute difference per byte; 255 when the sizes differ.
double MeanDifference(const Picture& a, const Picture& b);
// Mean absolute difference between vertically neighbouring pixels: high where text is drawn.
double VerticalDetail(const Picture& picture);
// Pixels where some channel differs by more than threshold; -1 when the sizes differ.
long DifferentPixels(const Picture& a, const Picture& b, int threshold);
// Mean brightness of all bytes.
double MeanLevel(const Picture& picture);

}  // namespace e2e
