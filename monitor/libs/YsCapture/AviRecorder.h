// AviRecorder: writes one AVI recording from two threads: frames from the camera's streaming
// thread, audio from the audio source's thread. Frames are placed on the stream's frame grid by
// their times, so dropped camera frames become repeats and the file keeps real time.
#pragma once

#include "monitor/libs/YsCapture/AudioEncoder.h"
#include "monitor/libs/YsCapture/VideoEncoder.h"
#include "media/avi/AviWriter.h"
#include "monitor/libs/YsCapture/core/FramePacer.h"

#include <memory>
#include <mutex>
#include <string>

namespace yscap {

class AviRecorder {
  public:
    // audio may be null (video only). frameDuration in 100 ns units.
    bool Open(const std::string& path, std::unique_ptr<VideoEncoder> video, int width, int height,
              int64_t frameDuration, std::unique_ptr<AudioEncoder> audio);

    void OnFrame(const uint8_t* frame, int64_t time);  // bottom-up BGR, width * 3 bytes a row
    void OnAudio(const uint8_t* pcm, size_t size);

    // Finishes the file. audioMaster: the video rate is set so the video lasts as long as the audio.
    bool Finish(bool audioMaster);

    uint32_t VideoFrames() const;

  private:
    mutable std::mutex lock_;
    avi::AviWriter writer_;
    std::unique_ptr<VideoEncoder> video_;
    std::unique_ptr<AudioEncoder> audio_;
    std::unique_ptr<FramePacer> pacer_;
    std::vector<uint8_t> converted_;
    bool failed_ = false;
};

}  // namespace yscap
