// The start/stop bookkeeping behind IAMStreamControl on an output pin: which samples (by their
// stream times) are delivered, and when the started/stopped events are due. Thread-safe: the
// application sets times from its thread while the streaming thread asks about every sample.
#pragma once

#include "media/DShow.h"

namespace media {

class StreamControl {
  public:
    StreamControl();
    ~StreamControl();
    StreamControl(const StreamControl&) = delete;
    StreamControl& operator=(const StreamControl&) = delete;

    // IAMStreamControl semantics: null = now, MAXLONGLONG = cancel the earlier request.
    HRESULT StartAt(const REFERENCE_TIME* start, DWORD cookie);
    HRESULT StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie);
    HRESULT GetInfo(AM_STREAM_INFO* info);

    struct Verdict {
        bool deliver = true;
        bool started = false;  // send EC_STREAM_CONTROL_STARTED with startCookie
        bool stopped = false;  // send EC_STREAM_CONTROL_STOPPED with stopCookie
        DWORD startCookie = 0, stopCookie = 0;
    };
    // Decides about one sample with stream times [start, stop).
    Verdict Judge(REFERENCE_TIME start, REFERENCE_TIME stop);

  private:
    CRITICAL_SECTION lock_;
    bool discarding_ = false;
    bool startDefined_ = false, stopDefined_ = false;
    REFERENCE_TIME start_ = 0, stop_ = 0;
    DWORD startCookie_ = 0, stopCookie_ = 0;
    bool sendExtra_ = false;
};

}  // namespace media
