#pragma once

#include <cstdint>
#include <memory>

#include "camera/libs/PelUtility/PicParam.h"

// The process-wide photo buffer: the photo's pixels at the chosen photo size (24-bit, rows of
// width x 3 bytes without padding, in the grabber's row order). It is reallocated only when the
// photo size changes, never per photo. Empty (all zero) until the first Prepare.
class PhotoBuffer {
  public:
    PhotoBuffer() = default;
    PhotoBuffer(const PhotoBuffer&) = delete;
    PhotoBuffer& operator=(const PhotoBuffer&) = delete;
    PhotoBuffer(PhotoBuffer&& other) noexcept;
    PhotoBuffer& operator=(PhotoBuffer&& other) noexcept;

    // Makes the buffer width x height; keeps the pixels when the size is already that. Contents are
    // undefined after a change. A size below 1 or an allocation failure leaves the buffer empty and
    // returns false.
    bool Prepare(int width, int height);

    // Puts a grabbed frame (24-bit, width x 3 bytes a row) into the buffer: one block copy when the
    // sizes match, otherwise bilinear scaling to the buffer's size. False when there is no buffer or
    // no frame.
    bool StoreFrame(const std::uint8_t* frame, int frameWidth, int frameHeight);

    // The record for the JPEG writer; pixels stay owned by this buffer.
    const PIC_PARAM& Param() const { return param_; }
    bool Empty() const { return param_.pixels == nullptr; }

    void Release();

  private:
    std::unique_ptr<std::uint8_t[]> pixels_;
    PIC_PARAM param_{};
};

// Sizes the buffer for a stored photo size index (the photo size list; any other index means
// 640 x 480); a buffer already of that size is kept as it is.
bool PreparePhotoBuffer(PhotoBuffer& buffer, int photoSize);
