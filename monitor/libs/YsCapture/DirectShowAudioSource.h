// A DirectShow audio capture device: its own graph with a PCM sample grabber.
#pragma once

#include "framework/ComPtr.h"
#include "monitor/libs/YsCapture/AudioSource.h"
#include "monitor/libs/YsCapture/GrabberGraph.h"

#include <atomic>

namespace yscap {

class DirectShowAudioSource : public AudioSource {
  public:
    ~DirectShowAudioSource() override;
    // Binds device `index` of the audio input category and connects it; false when it gives no PCM.
    bool Open(int index);
    const WAVEFORMATEX& Format() const override { return format_; }
    bool Start(Sink sink) override;
    void Stop() override;

  private:
    ComPtr<IBaseFilter> source_;
    GrabberGraph graph_;
    WAVEFORMATEX format_{};
    std::atomic<bool> running_{false};
    Sink sink_;
};

}  // namespace yscap
