// The camera's capture pin: RGB24 at one of the listed sizes, 30 frames a second. After
// IAMStreamConfig::SetFormat it offers and accepts only the chosen size until it is disconnected.
#pragma once

#include "media/LiveSourcePin.h"

#include <cstdint>
#include <vector>

namespace testcam {

class TestPatternCamera;

class TestPatternPin : public media::LiveSourcePin,
                       public IAMStreamConfig,
                       public IKsPropertySet,
                       public IAMBufferNegotiation {
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
    // IAMBufferNegotiation: a wish taken before connecting (members <= 0 keep our choice).
    STDMETHODIMP SuggestAllocatorProperties(const ALLOCATOR_PROPERTIES* wish) override;
    STDMETHODIMP GetAllocatorProperties(ALLOCATOR_PROPERTIES* actual) override;
    // IAMStreamControl: counted for the control block, so tests see that a program took this path.
    STDMETHODIMP StartAt(const REFERENCE_TIME* start, DWORD cookie) override;
    STDMETHODIMP StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE& type) override;
    HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
    void BreakConnect() override;

    long ImageSize() const;
    bool IsCapturePin(IPin* pin) const { return pin == static_cast<const IPin*>(this); }
    // IAMVideoControl modes (VideoControlFlag_FlipHorizontal / _FlipVertical) and the still trigger.
    void SetFlipModes(long modes) { flipModes_ = modes; }
    long FlipModes() const { return flipModes_; }
    void TriggerStill() { InterlockedExchange(&trigger_, 1); }

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;
    REFERENCE_TIME SampleDuration() override;
    HRESULT FillSample(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) override;

  private:
    TestPatternCamera* camera_;
    void Flip(uint8_t* pixels, int width, int height) const;

    int sizeIndex_;          // the format offered first and used while connected
    bool narrowed_ = false;  // SetFormat chose sizeIndex_: no other size until disconnected
    ALLOCATOR_PROPERTIES wish_ = {-1, -1, -1, -1};
    volatile LONG flipModes_ = 0;
    volatile LONG trigger_ = 0;   // take a new picture although the camera is in still mode
    std::vector<uint8_t> frame_;  // the last picture drawn (repeated in still mode)
    bool haveFrame_ = false;
    uint32_t frameNumber_ = 0;
};

}  // namespace testcam
