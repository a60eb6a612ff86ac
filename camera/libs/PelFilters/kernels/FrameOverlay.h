#pragma once

#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"

namespace pel {

// The photo frame drawn over the picture.
//
// The frame is a 32-bit bitmap (B, G, R, A a pixel, rows bottom-up as in the file). Its fourth byte
// is the pixel's opacity: 0 lets the video through, 255 covers it, values between mix the two
// (colour = (frame x A + video x (255 - A)) / 255, rounded). Many 32-bit bitmaps leave the fourth
// byte zero everywhere; such a frame has no opacity of its own, so it is read with a key colour
// instead: pixels of the colour found in the middle of the frame (where a photo frame is open) let
// the video through, every other pixel covers it.
//
// A frame of another size than the video is scaled to the video size (bilinear, 4 bytes a pixel)
// once per video size.
// Not synchronised: the filter holds its lock around every call.
class FrameOverlay {
  public:
    // Copies the frame. Null pixels or a size below 1 remove the frame.
    void SetFrame(const std::uint8_t* pixels, int width, int height);
    void Clear();
    bool HasFrame() const { return !original_.empty(); }

    // Scales the frame to a picture size ahead of the first Apply on pictures of that size, so the
    // caller can do that work away from the streaming thread.
    void PrepareFor(int width, int height) {
        if (HasFrame() && width > 0 && height > 0) Prepare(width, height);
    }

    void Apply(const Rgb24Frame& frame);

  private:
    // Pixels that are not fully transparent, in picture lines counted from the top.
    struct Span {
        int line;
        int begin;
        int end;
    };

    void Prepare(int width, int height);

    std::vector<std::uint8_t> original_;  // B G R A, bottom-up, opacity already decided
    int width_ = 0, height_ = 0;

    int preparedWidth_ = 0, preparedHeight_ = 0;
    std::vector<std::uint16_t> premultiplied_;  // colour x A for every B, G and R byte, top-down
    std::vector<std::uint8_t> inverseAlpha_;    // 255 - A beside every byte, top-down
    std::vector<Span> spans_;
};

}  // namespace pel
