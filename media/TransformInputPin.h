// Input pin of an in-place transform: hands samples to the filter's Transform and on downstream.
#pragma once

#include "media/InputPin.h"

namespace media {

class InPlaceTransformFilter;

class TransformInputPin : public InputPin {
  public:
    TransformInputPin(InPlaceTransformFilter* filter, const wchar_t* name);

    // IPin: stream control goes straight downstream.
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveCanBlock() override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT CompleteConnect(IPin* peer) override;

  private:
    HRESULT CopySample(IMediaSample* source, IMediaSample** copy);

    InPlaceTransformFilter* transform_;
};

}  // namespace media
