// Input pin: accepts a connection and receives samples through IMemInputPin.
#pragma once

#include "media/BasePin.h"

namespace media {

class InputPin : public BasePin, public IMemInputPin {
  public:
    InputPin(BaseFilter* filter, const wchar_t* name);

    // IUnknown (both bases share the filter's count)
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return BasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return BasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BasePin::Release(); }
    // IPin
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IMemInputPin
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override { return E_NOTIMPL; }
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, long count, long* processed) override;
    STDMETHODIMP ReceiveCanBlock() override { return S_OK; }

    void BreakConnect() override;

    IMemAllocator* Allocator() const { return allocator_.Get(); }
    bool ReadOnly() const { return readOnly_; }
    bool Flushing() const { return flushing_; }

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;
    // Receive's state check: S_OK to go on, S_FALSE while flushing, an error when stopped.
    HRESULT CheckStreaming();

    ComPtr<IMemAllocator> allocator_;
    bool readOnly_ = false;
    volatile bool flushing_ = false;
    REFERENCE_TIME segmentStart_ = 0, segmentStop_ = 0;
    double segmentRate_ = 1.0;
};

}  // namespace media
