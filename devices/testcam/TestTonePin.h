// The microphone's capture pin: 16-bit PCM mono at 44.1 kHz, a 440 Hz tone in 100 ms buffers.
#pragma once

#include "devices/testcam/ToneGenerator.h"
#include "media/LiveSourcePin.h"

namespace testcam {

class TestTonePin : public media::LiveSourcePin, public IAMStreamConfig, public IKsPropertySet {
  public:
    explicit TestTonePin(media::BaseFilter* filter);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return BasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return BasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BasePin::Release(); }

    // IAMStreamConfig: one format.
    STDMETHODIMP SetFormat(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP GetFormat(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP GetNumberOfCapabilities(int* count, int* size) override;
    STDMETHODIMP GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) override;
    // IKsPropertySet
    STDMETHODIMP Set(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data,
                     DWORD dataSize) override;
    STDMETHODIMP Get(REFGUID set, DWORD id, void* instance, DWORD instanceSize, void* data, DWORD dataSize,
                     DWORD* returned) override;
    STDMETHODIMP QuerySupported(REFGUID set, DWORD id, DWORD* support) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE& type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
    HRESULT Active() override;

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;
    REFERENCE_TIME SampleDuration() override;
    HRESULT FillSample(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) override;

  private:
    ToneGenerator tone_;
};

}  // namespace testcam
