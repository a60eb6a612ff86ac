#include "monitor/libs/YsCapture/WaveInSource.h"

#include "monitor/libs/YsCapture/AudioCompressors.h"
#include "monitor/libs/YsCapture/Log.h"

namespace yscap {

WaveInSource::WaveInSource(UINT device) : device_(device), format_(CapturePcmFormat()) {}

bool WaveInSource::Start(Sink sink) {
    sink_ = std::move(sink);
    event_.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!event_) return false;
    MMRESULT r = waveInOpen(&wave_, device_, &format_, DWORD_PTR(event_.Get()), 0, CALLBACK_EVENT);
    if (r != MMSYSERR_NOERROR) {
        LogFailure("waveInOpen", LONG(r));
        wave_ = nullptr;
        return false;
    }
    const size_t bytes = format_.nAvgBytesPerSec / 4 / format_.nBlockAlign * format_.nBlockAlign;
    for (int i = 0; i < kBuffers; ++i) {
        data_[i].assign(bytes, 0);
        headers_[i] = WAVEHDR{};
        headers_[i].lpData = reinterpret_cast<LPSTR>(data_[i].data());
        headers_[i].dwBufferLength = DWORD(bytes);
        waveInPrepareHeader(wave_, &headers_[i], sizeof(WAVEHDR));
        waveInAddBuffer(wave_, &headers_[i], sizeof(WAVEHDR));
    }
    stop_ = false;
    thread_ = std::thread([this] { Pump(); });
    if ((r = waveInStart(wave_)) != MMSYSERR_NOERROR) {
        LogFailure("waveInStart", LONG(r));
        Stop();
        return false;
    }
    return true;
}

void WaveInSource::Stop() {
    if (!wave_) return;
    stop_ = true;
    waveInReset(wave_);  // marks every queued buffer done
    ::SetEvent(event_.Get());
    if (thread_.joinable()) thread_.join();
    for (WAVEHDR& h : headers_) waveInUnprepareHeader(wave_, &h, sizeof(WAVEHDR));
    waveInClose(wave_);
    wave_ = nullptr;
}

void WaveInSource::Pump() {
    for (;;) {
        ::WaitForSingleObject(event_.Get(), 500);
        for (WAVEHDR& h : headers_) {
            if (!(h.dwFlags & WHDR_DONE)) continue;
            if (h.dwBytesRecorded) sink_(reinterpret_cast<const uint8_t*>(h.lpData), h.dwBytesRecorded);
            h.dwBytesRecorded = 0;
            h.dwFlags &= ~DWORD(WHDR_DONE);
            if (!stop_) waveInAddBuffer(wave_, &h, sizeof(WAVEHDR));
        }
        if (stop_) return;
    }
}

}  // namespace yscap
