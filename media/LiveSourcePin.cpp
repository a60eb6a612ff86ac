#include "media/LiveSourcePin.h"

#include "media/BaseFilter.h"

namespace media {

LiveSourcePin::LiveSourcePin(BaseFilter* filter, const wchar_t* name) : OutputPin(filter, name) {
    wake_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    InitializeCriticalSection(&timeLock_);
    QueryPerformanceFrequency(&qpcFrequency_);
}

LiveSourcePin::~LiveSourcePin() {
    StopThread();
    DeleteCriticalSection(&timeLock_);
    CloseHandle(wake_);
}

HRESULT LiveSourcePin::QueryExtraInterface(REFIID iid, void** out) {
    if (iid != IID_IAMStreamControl) return E_NOINTERFACE;
    *out = static_cast<IAMStreamControl*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP LiveSourcePin::StartAt(const REFERENCE_TIME* start, DWORD cookie) {
    return streamControl_.StartAt(start, cookie);
}

STDMETHODIMP LiveSourcePin::StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) {
    return streamControl_.StopAt(stop, sendExtra, cookie);
}

STDMETHODIMP LiveSourcePin::GetInfo(AM_STREAM_INFO* info) {
    return streamControl_.GetInfo(info);
}

bool LiveSourcePin::Admit(REFERENCE_TIME start, REFERENCE_TIME stop) {
    const StreamControl::Verdict v = streamControl_.Judge(start, stop);
    // The events name the pin (IPin) that started or stopped, and the caller's cookie.
    const LONG_PTR pin = reinterpret_cast<LONG_PTR>(static_cast<IPin*>(this));
    if (v.started) filter_->NotifyEvent(EC_STREAM_CONTROL_STARTED, pin, v.startCookie);
    if (v.stopped) filter_->NotifyEvent(EC_STREAM_CONTROL_STOPPED, pin, v.stopCookie);
    return v.deliver;
}

HRESULT LiveSourcePin::Active() {
    HRESULT hr = OutputPin::Active();
    if (FAILED(hr) || !IsConnected()) return hr;
    running_ = 0;
    exit_ = 0;
    thread_ = CreateThread(nullptr, 0, &LiveSourcePin::ThreadProc, this, 0, nullptr);
    if (!thread_) {
        OutputPin::Inactive();
        return HRESULT_FROM_WIN32(GetLastError());
    }
    return S_OK;
}

void LiveSourcePin::StopThread() {
    if (!thread_) return;
    InterlockedExchange(&exit_, 1);
    InterlockedExchange(&running_, 0);
    SetEvent(wake_);
    if (allocator_) allocator_->Decommit();  // wakes a thread waiting for a free buffer
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
}

void LiveSourcePin::Inactive() {
    StopThread();
    OutputPin::Inactive();
}

HRESULT LiveSourcePin::Run(REFERENCE_TIME start) {
    EnterCriticalSection(&timeLock_);
    clock_ = ComPtr<IReferenceClock>(filter_->Clock());
    runStart_ = start;
    QueryPerformanceCounter(&qpcStart_);
    LeaveCriticalSection(&timeLock_);
    InterlockedIncrement(&runCount_);
    InterlockedExchange(&running_, 1);
    SetEvent(wake_);
    return S_OK;
}

void LiveSourcePin::PauseFromRun() {
    InterlockedExchange(&running_, 0);
    SetEvent(wake_);
}

REFERENCE_TIME LiveSourcePin::StreamTimeNow() {
    EnterCriticalSection(&timeLock_);
    REFERENCE_TIME now = 0;
    if (clock_ && SUCCEEDED(clock_->GetTime(&now))) {
        now -= runStart_;
    } else {
        LARGE_INTEGER qpc;
        QueryPerformanceCounter(&qpc);
        now = static_cast<REFERENCE_TIME>((qpc.QuadPart - qpcStart_.QuadPart) * 10000000.0 /
                                          qpcFrequency_.QuadPart);
    }
    LeaveCriticalSection(&timeLock_);
    return now;
}

DWORD WINAPI LiveSourcePin::ThreadProc(void* self) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    static_cast<LiveSourcePin*>(self)->Stream();
    CoUninitialize();
    return 0;
}

void LiveSourcePin::Stream() {
    REFERENCE_TIME next = -1;
    LONG seenRun = -1;
    while (!exit_) {
        if (!running_) {
            WaitForSingleObject(wake_, INFINITE);
            continue;
        }
        if (seenRun != runCount_) {  // a new Run: timing starts again at the current stream time
            seenRun = runCount_;
            next = -1;
        }
        const REFERENCE_TIME duration = SampleDuration();
        const REFERENCE_TIME now = StreamTimeNow();
        if (next < 0) next = now > 0 ? now : 0;
        if (now < next) {
            WaitForSingleObject(wake_, static_cast<DWORD>((next - now + 9999) / 10000));
            continue;
        }
        if (now >= next + duration) {  // late: the periods we missed count as dropped
            const REFERENCE_TIME missed = (now - next) / duration;
            InterlockedExchangeAdd(&dropped_, static_cast<LONG>(missed));
            next += missed * duration;
        }
        IMediaSample* sample = nullptr;
        HRESULT hr = GetDeliveryBuffer(&sample);
        if (FAILED(hr)) {
            if (!exit_) WaitForSingleObject(wake_, 10);
            continue;
        }
        REFERENCE_TIME start = next, stop = next + duration;
        // A period held back by stream control is neither drawn nor delivered.
        hr = Admit(start, stop) ? FillSample(sample, start, stop) : S_FALSE;
        if (hr == S_OK) {
            sample->SetTime(&start, &stop);
            hr = Deliver(sample);
            if (hr == S_OK) InterlockedIncrement(&delivered_);
        }
        sample->Release();
        next += duration;
        if (FAILED(hr) && running_ && seenRun == runCount_) {
            // Downstream refused (or the source failed): wait for the next state change.
            InterlockedCompareExchange(&running_, 0, 1);
        }
    }
}

}  // namespace media
