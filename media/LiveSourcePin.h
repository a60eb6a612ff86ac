// Output pin of a live source: a streaming thread that pushes one sample per period while the
// filter runs, stamped with stream times on the graph clock. The thread starts when the filter
// leaves Stopped, idles while paused and ends (allocator decommitted) in Stop.
#pragma once

#include "media/OutputPin.h"

namespace media {

class LiveSourcePin : public OutputPin {
  public:
    LiveSourcePin(BaseFilter* filter, const wchar_t* name);
    ~LiveSourcePin() override;

    HRESULT Active() override;
    void Inactive() override;
    HRESULT Run(REFERENCE_TIME start) override;
    void PauseFromRun() override;

    LONG DeliveredCount() const { return delivered_; }
    LONG DroppedCount() const { return dropped_; }
    void ResetCounts() {
        delivered_ = 0;
        dropped_ = 0;
    }

  protected:
    // Length of one sample in 100 ns units (a frame interval, an audio buffer).
    virtual REFERENCE_TIME SampleDuration() = 0;
    // Fills one sample for the stream times [start, stop): S_OK delivers it, S_FALSE skips this
    // period (nothing to send), an error stops the pushing until the next Run.
    virtual HRESULT FillSample(IMediaSample* sample, REFERENCE_TIME start, REFERENCE_TIME stop) = 0;

  private:
    static DWORD WINAPI ThreadProc(void* self);
    void Stream();
    REFERENCE_TIME StreamTimeNow();
    void StopThread();

    HANDLE thread_ = nullptr;
    HANDLE wake_;  // auto-reset: the state changed
    volatile LONG running_ = 0;
    volatile LONG exit_ = 0;
    volatile LONG runCount_ = 0;  // bumped by every Run so the thread restarts its timing
    CRITICAL_SECTION timeLock_;
    ComPtr<IReferenceClock> clock_;
    REFERENCE_TIME runStart_ = 0;
    LARGE_INTEGER qpcStart_{}, qpcFrequency_{};
    volatile LONG delivered_ = 0;
    volatile LONG dropped_ = 0;
};

}  // namespace media
