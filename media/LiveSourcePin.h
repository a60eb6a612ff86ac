// Output pin of a live source: a streaming thread that pushes one sample per period while the
// filter runs, stamped with stream times on the graph clock. The thread starts when the filter
// leaves Stopped, idles while paused and ends (allocator decommitted) in Stop. IAMStreamControl
// holds samples back outside the start/stop times set on it (a subclass answers it in
// QueryExtraInterface by calling ours).
#pragma once

#include "media/OutputPin.h"
#include "media/StreamControl.h"

namespace media {

class LiveSourcePin : public OutputPin, public IAMStreamControl {
  public:
    LiveSourcePin(BaseFilter* filter, const wchar_t* name);
    ~LiveSourcePin() override;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return BasePin::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return BasePin::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return BasePin::Release(); }

    // IAMStreamControl: times are stream times, honoured while running.
    STDMETHODIMP StartAt(const REFERENCE_TIME* start, DWORD cookie) override;
    STDMETHODIMP StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) override;
    STDMETHODIMP GetInfo(AM_STREAM_INFO* info) override;

    HRESULT Active() override;
    void Inactive() override;
    HRESULT Run(REFERENCE_TIME start) override;
    void PauseFromRun() override;

    LONG DeliveredCount() const { return delivered_; }
    LONG DroppedCount() const { return dropped_; }

  protected:
    HRESULT QueryExtraInterface(REFIID iid, void** out) override;
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
    // Stream control's verdict on a filled sample, with its events sent.
    bool Admit(REFERENCE_TIME start, REFERENCE_TIME stop);

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
    StreamControl streamControl_;
};

}  // namespace media
