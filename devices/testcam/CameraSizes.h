// The picture sizes the test camera offers, in the order GetStreamCaps lists them.
#pragma once

namespace testcam {

struct CameraSize {
    int width, height;
};

constexpr CameraSize kCameraSizes[] = {{160, 120}, {176, 144},  {320, 240},  {352, 288},   {640, 480},
                                       {800, 600}, {1024, 768}, {1280, 960}, {1280, 1024}, {1600, 1200}};
constexpr int kCameraSizeCount = static_cast<int>(sizeof(kCameraSizes) / sizeof(kCameraSizes[0]));
constexpr int kDefaultSizeIndex = 4;          // 640 x 480
constexpr long long kFrameDuration = 333333;  // 30 frames a second, in 100 ns units

// Index of the size in the list, or -1.
inline int FindCameraSize(int width, int height) {
    for (int i = 0; i < kCameraSizeCount; ++i)
        if (kCameraSizes[i].width == width && kCameraSizes[i].height == height) return i;
    return -1;
}

}  // namespace testcam
