#include "monitor/libs/YsCapture/AudioSource.h"

#include "framework/Handles.h"
#include "monitor/libs/YsCapture/AudioCompressors.h"
#include "monitor/libs/YsCapture/DeviceList.h"
#include "monitor/libs/YsCapture/GrabberGraph.h"
#include "monitor/libs/YsCapture/Log.h"

#include <mmsystem.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

namespace yscap {
namespace {

std::vector<std::string> WaveInNames() {
    std::vector<std::string> names;
    const UINT count = waveInGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        WAVEINCAPSA caps{};
        names.push_back(waveInGetDevCapsA(i, &caps, sizeof caps) == MMSYSERR_NOERROR ? caps.szPname : "");
    }
    return names;
}

// DirectShow audio inputs whose names the waveIn list does not already have, with their indexes.
std::vector<std::pair<std::string, int>> ExtraDirectShowInputs(const std::vector<std::string>& waveIn) {
    std::vector<std::pair<std::string, int>> extra;
    const std::vector<std::string> names = ListDevices(CLSID_AudioInputDeviceCategory);
    for (size_t i = 0; i < names.size(); ++i)
        if (std::find(waveIn.begin(), waveIn.end(), names[i]) == waveIn.end())
            extra.push_back({names[i], int(i)});
    return extra;
}

// waveIn device: a quarter second a buffer, a thread that hands full buffers on and requeues them.
class WaveInSource : public AudioSource {
  public:
    explicit WaveInSource(UINT device) : device_(device), format_(CapturePcmFormat()) {}
    ~WaveInSource() override { Stop(); }
    const WAVEFORMATEX& Format() const override { return format_; }

    bool Start(Sink sink) override {
        sink_ = std::move(sink);
        event_.Reset(::CreateEventA(nullptr, FALSE, FALSE, nullptr));
        if (!event_) return false;
        MMRESULT r = waveInOpen(&wave_, device_, &format_, DWORD_PTR(event_.Get()), 0, CALLBACK_EVENT);
        if (r != MMSYSERR_NOERROR) return LogFailure("waveInOpen", LONG(r)), wave_ = nullptr, false;
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

    void Stop() override {
        if (!wave_) return;
        stop_ = true;
        waveInReset(wave_);  // returns every buffer as done
        ::SetEvent(event_.Get());
        if (thread_.joinable()) thread_.join();
        for (WAVEHDR& h : headers_) waveInUnprepareHeader(wave_, &h, sizeof(WAVEHDR));
        waveInClose(wave_);
        wave_ = nullptr;
    }

  private:
    static constexpr int kBuffers = 4;

    void Pump() {
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

    UINT device_;
    WAVEFORMATEX format_;
    HWAVEIN wave_ = nullptr;
    ScopedHandle event_;
    std::vector<uint8_t> data_[kBuffers];
    WAVEHDR headers_[kBuffers]{};
    std::atomic<bool> stop_{false};
    std::thread thread_;
    Sink sink_;
};

// DirectShow audio capture device: its own graph with a PCM sample grabber.
class DirectShowAudioSource : public AudioSource {
  public:
    bool Open(int index) {
        std::string name;
        if (!BindDevice(CLSID_AudioInputDeviceCategory, index, source_, name)) return false;
        auto forward = [this](const GrabbedSample& s) {
            if (running_) sink_(s.data, s.size);
        };
        if (!graph_.Build(source_.Get(), MEDIATYPE_Audio, MEDIASUBTYPE_PCM, nullptr, forward)) return false;
        const std::vector<uint8_t>& f = graph_.ConnectedFormat();
        if (graph_.Connected().formattype != FORMAT_WaveFormatEx || f.size() < 16) return false;
        format_ = WAVEFORMATEX{};
        std::memcpy(&format_, f.data(), std::min(f.size(), sizeof format_));
        format_.cbSize = 0;
        return format_.wFormatTag == WAVE_FORMAT_PCM && format_.nBlockAlign != 0;
    }
    ~DirectShowAudioSource() override {
        Stop();
        graph_.Close();
        if (source_) NoteComLeak("audio source release", source_.Detach()->Release());
    }
    const WAVEFORMATEX& Format() const override { return format_; }
    bool Start(Sink sink) override {
        sink_ = std::move(sink);
        running_ = true;
        return graph_.Run();
    }
    void Stop() override {
        graph_.Stop();
        running_ = false;
    }

  private:
    ComPtr<IBaseFilter> source_;
    GrabberGraph graph_;
    WAVEFORMATEX format_{};
    std::atomic<bool> running_{false};
    Sink sink_;
};

}  // namespace

std::vector<std::string> ListAudioInputs() {
    std::vector<std::string> names = WaveInNames();
    for (auto& extra : ExtraDirectShowInputs(names)) names.push_back(extra.first);
    return names;
}

std::unique_ptr<AudioSource> OpenAudioInput(int index) {
    const std::vector<std::string> waveIn = WaveInNames();
    if (index < 0) return nullptr;
    if (size_t(index) < waveIn.size()) return std::make_unique<WaveInSource>(UINT(index));
    const auto extra = ExtraDirectShowInputs(waveIn);
    const size_t k = size_t(index) - waveIn.size();
    if (k >= extra.size()) return nullptr;
    auto source = std::make_unique<DirectShowAudioSource>();
    if (!source->Open(extra[k].second)) return nullptr;
    return source;
}

}  // namespace yscap
