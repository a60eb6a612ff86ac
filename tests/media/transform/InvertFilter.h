// A trivial in-place filter for the tests: inverts every byte of the picture.
#pragma once

#include "media/InPlaceTransformFilter.h"

namespace mediatest {

// {70E5169D-9E0C-4C83-84B6-ABC864D83773}
constexpr CLSID kClsidInvertFilter = {
    0x70E5169D, 0x9E0C, 0x4C83, {0x84, 0xB6, 0xAB, 0xC8, 0x64, 0xD8, 0x37, 0x73}};

class InvertFilter : public media::InPlaceTransformFilter {
  public:
    InvertFilter() : InPlaceTransformFilter(kClsidInvertFilter) {}

    HRESULT Transform(IMediaSample* sample) override {
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data))) return E_POINTER;
        const long length = sample->GetActualDataLength();
        for (long i = 0; i < length; ++i) data[i] = static_cast<BYTE>(255 - data[i]);
        InterlockedIncrement(&transformed_);
        return S_OK;
    }
    void OnInputTypeSet(const AM_MEDIA_TYPE& type) override {
        if (const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type)) width_ = vih->bmiHeader.biWidth;
    }

    LONG Transformed() const { return transformed_; }
    int Width() const { return width_; }

  private:
    volatile LONG transformed_ = 0;
    int width_ = 0;
};

}  // namespace mediatest
