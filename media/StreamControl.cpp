#include "media/StreamControl.h"

namespace media {
namespace {

constexpr REFERENCE_TIME kNever = MAXLONGLONG;

class Locked {
  public:
    explicit Locked(CRITICAL_SECTION* lock) : lock_(lock) { EnterCriticalSection(lock_); }
    ~Locked() { LeaveCriticalSection(lock_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

  private:
    CRITICAL_SECTION* lock_;
};

}  // namespace

StreamControl::StreamControl() {
    InitializeCriticalSection(&lock_);
}

StreamControl::~StreamControl() {
    DeleteCriticalSection(&lock_);
}

HRESULT StreamControl::StartAt(const REFERENCE_TIME* start, DWORD cookie) {
    Locked locked(&lock_);
    if (!start) {  // now, without an event
        startDefined_ = false;
        discarding_ = false;
    } else if (*start == kNever) {
        // Cancelled: with a stop pending the stream flows until then, else it stays stopped.
        startDefined_ = false;
        discarding_ = !stopDefined_;
    } else {
        startDefined_ = true;
        start_ = *start;
        startCookie_ = cookie;
        discarding_ = true;
    }
    return S_OK;
}

HRESULT StreamControl::StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) {
    Locked locked(&lock_);
    if (!stop) {  // now, without an event
        stopDefined_ = false;
        discarding_ = true;
    } else if (*stop == kNever) {
        stopDefined_ = false;
    } else {
        stopDefined_ = true;
        stop_ = *stop;
        stopCookie_ = cookie;
        sendExtra_ = sendExtra != FALSE;
    }
    return S_OK;
}

HRESULT StreamControl::GetInfo(AM_STREAM_INFO* info) {
    if (!info) return E_POINTER;
    Locked locked(&lock_);
    *info = AM_STREAM_INFO();
    if (startDefined_) {
        info->tStart = start_;
        info->dwStartCookie = startCookie_;
        info->dwFlags |= AM_STREAM_INFO_START_DEFINED;
    }
    if (stopDefined_) {
        info->tStop = stop_;
        info->dwStopCookie = stopCookie_;
        info->dwFlags |= AM_STREAM_INFO_STOP_DEFINED;
        if (sendExtra_) info->dwFlags |= AM_STREAM_INFO_STOP_SEND_EXTRA;
    }
    if (discarding_) info->dwFlags |= AM_STREAM_INFO_DISCARDING;
    return S_OK;
}

StreamControl::Verdict StreamControl::Judge(REFERENCE_TIME start, REFERENCE_TIME stop) {
    Locked locked(&lock_);
    Verdict v;
    // The sample holding the start time is the first one delivered.
    if (startDefined_ && stop > start_) {
        startDefined_ = false;
        discarding_ = false;
        v.started = startCookie_ != 0;
        v.startCookie = startCookie_;
    }
    if (discarding_) {
        v.deliver = false;
        return v;
    }
    // The sample holding the stop time is still delivered, and one more when asked for.
    if (stopDefined_ && start > stop_) {
        if (!sendExtra_) v.deliver = false;
        stopDefined_ = false;
        discarding_ = true;
        v.stopped = stopCookie_ != 0;
        v.stopCookie = stopCookie_;
    }
    return v;
}

}  // namespace media
