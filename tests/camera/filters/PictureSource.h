// A source filter for the filter tests: one RGB24 output pin of a fixed size (a negative height
// for top-down rows); Push hands one
// picture downstream on the calling thread, so what a grabber behind the chain records is known
// exactly when Push returns.
#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "media/BaseFilter.h"
#include "media/OutputPin.h"

namespace filtertest {

// {5C1A7E52-3B6D-4E0A-9F1C-2D7B8A640E11}
constexpr CLSID kClsidPictureSource = {
    0x5C1A7E52, 0x3B6D, 0x4E0A, {0x9F, 0x1C, 0x2D, 0x7B, 0x8A, 0x64, 0x0E, 0x11}};

class PicturePin : public media::OutputPin {
  public:
    PicturePin(media::BaseFilter* filter, int width, int height, int pictureWidth)
        : OutputPin(filter, L"Out"), width_(width), height_(height), pictureWidth_(pictureWidth) {}

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override {
        const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type);
        return vih && vih->bmiHeader.biWidth == width_ && vih->bmiHeader.biHeight == height_ ? S_OK : S_FALSE;
    }
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE& type) override {
        if (position != 0) return VFW_S_NO_MORE_ITEMS;
        const HRESULT hr = media::MakeRgb24VideoType(type, width_, height_, 333333);
        if (SUCCEEDED(hr) && pictureWidth_ != width_) {
            auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat);
            vih->rcSource = RECT{0, 0, pictureWidth_, std::abs(height_)};
            vih->rcTarget = vih->rcSource;
        }
        return hr;
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override {
        request.cBuffers = std::max<long>(request.cBuffers, 2);
        request.cbBuffer = std::max<long>(request.cbBuffer, media::Rgb24Stride(width_) * std::abs(height_));
        request.cbAlign = std::max<long>(request.cbAlign, 1);
        ALLOCATOR_PROPERTIES actual{};
        return allocator->SetProperties(&request, &actual);
    }

    // Sends `length` bytes of the picture (all of it when -1), without time stamps.
    HRESULT Push(const std::vector<BYTE>& picture, long length = -1) {
        ComPtr<IMediaSample> sample;
        HRESULT hr = GetDeliveryBuffer(&sample);
        if (FAILED(hr)) return hr;
        BYTE* bits = nullptr;
        sample->GetPointer(&bits);
        if (length < 0) length = static_cast<long>(picture.size());
        if (!bits || length > sample->GetSize() || length > static_cast<long>(picture.size())) return E_FAIL;
        std::memcpy(bits, picture.data(), static_cast<size_t>(length));
        sample->SetActualDataLength(length);
        sample->SetTime(nullptr, nullptr);
        return Deliver(sample.Get());
    }

  private:
    int width_, height_, pictureWidth_;
};

class PictureSource : public media::BaseFilter {
  public:
    // Rows of `width` pixels; the picture may be narrower (a source rectangle of pictureWidth).
    PictureSource(int width, int height, int pictureWidth = 0)
        : BaseFilter(kClsidPictureSource), pin_(this, width, height, pictureWidth ? pictureWidth : width) {}

    int PinCount() override { return 1; }
    media::BasePin* PinAt(int index) override { return index == 0 ? &pin_ : nullptr; }

    HRESULT Push(const std::vector<BYTE>& picture, long length = -1) { return pin_.Push(picture, length); }

  private:
    PicturePin pin_;
};

}  // namespace filtertest
