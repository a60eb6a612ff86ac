// The camera's capture pin: RGB24 at one of the listed sizes, 30 frames a second.
#pragma once

#include "media/LiveSourcePin.h"

#include <cstdint>
#include <vector>

namespace testcam {

class TestPatternCamera;

class TestPatternPin : public media::LiveSourcePin, public IAMStreamConfig, public IKsPropertySet {
  public:
    explicit TestPatternPin(TestPatternCamera* camera);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return BasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return BasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BasePin::Release(); }

    // IAMStreamConfig
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
    HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;

    long ImageSize() const;

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;
    REFERENCE_TIME SampleDuration() override;
    HRESULT FillSample(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) override;

  private:
    TestPatternCamera* camera_;
    int sizeIndex_;               // the format offered first and used while connected
    std::vector<uint8_t> frame_;  // the last picture drawn (repeated in still mode)
    bool haveFrame_ = false;
    uint32_t frameNumber_ = 0;
};

}  // namespace testcam
