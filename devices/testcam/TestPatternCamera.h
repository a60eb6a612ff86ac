// "Test Pattern Camera": a live video capture source that behaves like a webcam, with faults that
// testcamctl switches from outside (unplug, still picture, refused sizes).
#pragma once

#include "devices/common/ControlBlock.h"
#include "devices/testcam/DeviceFilter.h"
#include "devices/testcam/TestPatternPin.h"

namespace testcam {

constexpr long kPowerLineFrequencyProperty = 13;  // VideoProcAmp_PowerLineFrequency: 1 = 50 Hz, 2 = 60 Hz

class TestPatternCamera : public DeviceFilter,
                          public IAMVideoProcAmp,
                          public ISpecifyPropertyPages,
                          public IAMDroppedFrames,
                          public IAMVideoControl {
  public:
    TestPatternCamera();
    ~TestPatternCamera() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        return BaseFilter::QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return BaseFilter::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BaseFilter::Release(); }

    // IAMVideoProcAmp: only the power-line frequency is supported.
    STDMETHODIMP GetRange(long property, long* min, long* max, long* step, long* fallback,
                          long* flags) override;
    STDMETHODIMP Set(long property, long value, long flags) override;
    STDMETHODIMP Get(long property, long* value, long* flags) override;
    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;
    // IAMDroppedFrames
    STDMETHODIMP GetNumDropped(long* dropped) override;
    STDMETHODIMP GetNumNotDropped(long* delivered) override;
    STDMETHODIMP GetDroppedInfo(long size, long* frames, long* copied) override;
    STDMETHODIMP GetAverageFrameSize(long* size) override;
    // IAMVideoControl, for the capture pin only: flip modes, the still trigger (a new picture
    // while testcamctl holds the camera still) and the one frame rate.
    STDMETHODIMP GetCaps(IPin* pin, long* flags) override;
    STDMETHODIMP SetMode(IPin* pin, long mode) override;
    STDMETHODIMP GetMode(IPin* pin, long* mode) override;
    STDMETHODIMP GetCurrentActualFrameRate(IPin* pin, LONGLONG* frameInterval) override;
    STDMETHODIMP GetMaxAvailableFrameRate(IPin* pin, long index, SIZE dimensions,
                                          LONGLONG* frameInterval) override;
    STDMETHODIMP GetFrameRateList(IPin* pin, long index, SIZE dimensions, long* count,
                                  LONGLONG** frameIntervals) override;

    int PinCount() override { return 1; }
    media::BasePin* PinAt(int index) override { return index == 0 ? &pin_ : nullptr; }

    // For the pin's streaming thread.
    bool Plugged() const { return plugged_ != 0; }
    bool Still() const { return control_.Read().still != 0; }
    bool Refuses(int width, int height) const;
    void CountFrame() { control_.CountFrame(); }
    void CountStreamControl() { control_.CountStreamControl(); }

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;

  private:
    static DWORD WINAPI WatchProc(void* self);
    void Watch();
    void ApplyPlugged(bool plugged);

    TestPatternPin pin_;
    ControlBlock control_;
    volatile LONG plugged_ = 1;
    volatile LONG powerLineFrequency_ = 1;
    ScopedHandle stopWatch_;
    ScopedHandle watcher_;
};

}  // namespace testcam
