// Output pin: connects to an IMemInputPin, agrees on an allocator and delivers samples.
#pragma once

#include "media/BasePin.h"

namespace media {

class OutputPin : public BasePin {
  public:
    OutputPin(BaseFilter* filter, const wchar_t* name);

    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }

    HRESULT CompleteConnect(IPin* peer) override;
    void BreakConnect() override;
    HRESULT Active() override;
    void Inactive() override;

    // Sets the buffer count and size on the chosen allocator; request holds the downstream wishes.
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) = 0;

    // Streaming: may be called from a streaming thread without the filter lock.
    HRESULT GetDeliveryBuffer(IMediaSample** sample);
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    IMemAllocator* Allocator() const { return allocator_.Get(); }
    IMemInputPin* PeerInput() const { return input_.Get(); }

  protected:
    // Picks the allocator: the downstream pin's when it offers one, else our own.
    virtual HRESULT DecideAllocator(IMemInputPin* input, ComPtr<IMemAllocator>& chosen);
    HRESULT TryConnect(IPin* receivePin, const AM_MEDIA_TYPE& type);

    ComPtr<IMemInputPin> input_;
    ComPtr<IMemAllocator> allocator_;
};

}  // namespace media
