// A photo-frame bitmap from the Effects folder, read and scaled to a video size.
#include <cstdint>
#include <cstdlib>

#include "camera/frame/FrameBitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FrameBitmap frame;
    if (ParseFrameBitmap(data, size, frame) != FrameBitmapStatus::Ok) {
        if (frame.width || frame.height || !frame.pixels.empty()) std::abort();
        return 0;
    }
    if (frame.width < 1 || frame.height < 1 || frame.width > kMaxFrameBitmapSide ||
        frame.height > kMaxFrameBitmapSide ||
        frame.pixels.size() != static_cast<std::size_t>(frame.width) * frame.height * 4) {
        std::abort();
    }
    // Scaling large frames would only measure the resampler; small ones check its edges.
    if (frame.pixels.size() <= 64 * 1024) {
        FrameBitmap scaled;
        const int w = 1 + (size % 97), h = 1 + (size % 61);
        if (!ScaleFrameBitmap(frame, w, h, scaled) ||
            scaled.pixels.size() != static_cast<std::size_t>(w) * h * 4) {
            std::abort();
        }
    }
    return 0;
}
