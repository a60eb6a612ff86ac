#include "camera/photo/PhotoBuffer.h"

#include <cstring>
#include <limits>
#include <new>
#include <utility>

#include "camera/libs/PelImaging/ResampleBilinear.h"
#include "camera/resources/SizeLists.h"

PhotoBuffer::PhotoBuffer(PhotoBuffer&& other) noexcept
    : pixels_(std::move(other.pixels_)), param_(std::exchange(other.param_, PIC_PARAM{})) {}

PhotoBuffer& PhotoBuffer::operator=(PhotoBuffer&& other) noexcept {
    if (this != &other) {
        pixels_ = std::move(other.pixels_);
        param_ = std::exchange(other.param_, PIC_PARAM{});
    }
    return *this;
}

bool PhotoBuffer::Prepare(int width, int height) {
    if (!Empty() && width == param_.width && height == param_.height) return true;
    Release();
    // The size field is an int: larger photos cannot be described to the writer.
    if (width < 1 || height < 1 || width > std::numeric_limits<int>::max() / 3 / height) return false;
    const int size = width * height * 3;
    std::unique_ptr<std::uint8_t[]> pixels(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)]);
    if (!pixels) return false;
    pixels_ = std::move(pixels);
    param_ = PIC_PARAM{width, height, size, pixels_.get()};
    return true;
}

bool PhotoBuffer::StoreFrame(const std::uint8_t* frame, int frameWidth, int frameHeight) {
    if (Empty() || frame == nullptr || frameWidth < 1 || frameHeight < 1) return false;
    if (frameWidth == param_.width && frameHeight == param_.height) {
        std::memcpy(param_.pixels, frame, static_cast<std::size_t>(param_.size));
    } else {
        ResampleBilinear<3>(frame, frameWidth, frameHeight, param_.width, param_.height, param_.pixels);
    }
    return true;
}

void PhotoBuffer::Release() {
    pixels_.reset();
    param_ = PIC_PARAM{};
}

bool PreparePhotoBuffer(PhotoBuffer& buffer, int photoSize) {
    const SizeListEntry size = PhotoSizeOrDefault(photoSize);
    return buffer.Prepare(size.width, size.height);
}
