// Output pin of an in-place transform: offers the input's type and, when the downstream pin
// accepts it, the upstream allocator so that samples pass without a copy.
#pragma once

#include "media/OutputPin.h"

namespace media {

class InPlaceTransformFilter;

class TransformOutputPin : public OutputPin {
  public:
    TransformOutputPin(InPlaceTransformFilter* filter, const wchar_t* name);

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE& type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
    HRESULT Active() override;
    void Inactive() override;

    // Samples can pass through in place: downstream uses the upstream buffers and may write them.
    bool SharesInputAllocator() const;
    // The upstream allocator changed: offer it downstream; a refusal leaves the copy path.
    void InputAllocatorChanged(IMemAllocator* allocator, bool readOnly);

  protected:
    HRESULT DecideAllocator(IMemInputPin* input, ComPtr<IMemAllocator>& chosen) override;

  private:
    InPlaceTransformFilter* transform_;
};

}  // namespace media
