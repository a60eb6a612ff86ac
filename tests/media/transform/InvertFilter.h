// A trivial in-place filter for the tests: inverts every byte of the picture, or, set idle, leaves
// it alone. Remembers the buffers it wrote into and those it passed on untouched.
#pragma once

#include "media/InPlaceTransformFilter.h"

#include <mutex>
#include <set>

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
        std::lock_guard<std::mutex> hold(lock_);
        written_.insert(data);
        return S_OK;
    }
    bool ChangesPictures() override { return !idle_; }
    void PassedOn(IMediaSample* sample) override {
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        std::lock_guard<std::mutex> hold(lock_);
        passedOn_.insert(data);
    }
    void OnInputTypeSet(const AM_MEDIA_TYPE& type) override {
        if (const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type)) width_ = vih->bmiHeader.biWidth;
    }

    LONG Transformed() const { return transformed_; }
    void SetIdle(bool idle) { idle_ = idle; }
    // Read while the graph is stopped.
    const std::set<BYTE*>& WrittenBuffers() const { return written_; }
    const std::set<BYTE*>& PassedBuffers() const { return passedOn_; }
    void ClearSeen() {
        written_.clear();
        passedOn_.clear();
    }
    int Width() const { return width_; }

  private:
    volatile LONG transformed_ = 0;
    volatile bool idle_ = false;
    std::mutex lock_;
    std::set<BYTE*> written_, passedOn_;
    int width_ = 0;
};

}  // namespace mediatest
