// waveIn capture: four quarter-second buffers and a thread that hands full ones on and requeues them.
#pragma once

#include "framework/Handles.h"
#include "monitor/libs/YsCapture/AudioSource.h"

#include <mmsystem.h>

#include <atomic>
#include <thread>
#include <vector>

namespace yscap {

class WaveInSource : public AudioSource {
  public:
    explicit WaveInSource(UINT device);
    ~WaveInSource() override { Stop(); }
    const WAVEFORMATEX& Format() const override { return format_; }
    bool Start(Sink sink) override;
    void Stop() override;

  private:
    static constexpr int kBuffers = 4;
    void Pump();

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

}  // namespace yscap
