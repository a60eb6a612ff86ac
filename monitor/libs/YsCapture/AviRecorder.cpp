#include "monitor/libs/YsCapture/AviRecorder.h"

#include "monitor/libs/YsCapture/Log.h"

namespace yscap {

bool AviRecorder::Open(const std::string& path, std::unique_ptr<VideoEncoder> video, int width, int height,
                       int64_t frameDuration, std::unique_ptr<AudioEncoder> audio) {
    std::lock_guard<std::mutex> hold(lock_);
    if (frameDuration <= 0) frameDuration = 333333;
    avi::AviVideoFormat v;
    v.width = width;
    v.height = height;
    v.handler = video->StreamHandler();
    v.strf = video->Format();
    v.scale = 1000;
    v.rate = uint32_t((10000000LL * 1000 + frameDuration / 2) / frameDuration);
    avi::AviAudioFormat a;
    if (audio) a.strf = audio->Format();
    if (!writer_.Open(path, v, audio ? &a : nullptr)) {
        LogFailure("opening the AVI file", LONG(::GetLastError()));
        return false;
    }
    video_ = std::move(video);
    audio_ = std::move(audio);
    pacer_ = std::make_unique<FramePacer>(frameDuration);
    failed_ = false;
    return true;
}

void AviRecorder::OnFrame(const uint8_t* frame, int64_t time) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!writer_.IsOpen() || failed_) return;
    const int advance = pacer_->Place(time);
    if (advance == 0) return;
    for (int i = 1; i < advance; ++i) writer_.WriteVideo(nullptr, 0, false);
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    bool key = false;
    if (!video_->Encode(frame, data, size, key)) {
        failed_ = true;  // the file keeps what was written so far
        return;
    }
    if (!writer_.WriteVideo(data, size, key) && writer_.LimitReached()) failed_ = true;
}

void AviRecorder::OnAudio(const uint8_t* pcm, size_t size) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!writer_.IsOpen() || failed_ || !audio_) return;
    converted_.clear();
    if (!audio_->Convert(pcm, size, converted_)) return;
    // Whole blocks only: a chunk must not split an audio block.
    if (!converted_.empty()) writer_.WriteAudio(converted_.data(), uint32_t(converted_.size()));
}

bool AviRecorder::Finish(bool audioMaster) {
    std::lock_guard<std::mutex> hold(lock_);
    if (!writer_.IsOpen()) return true;
    if (audio_) {
        converted_.clear();
        if (audio_->Convert(nullptr, 0, converted_, true) && !converted_.empty() && !failed_)
            writer_.WriteAudio(converted_.data(), uint32_t(converted_.size()));
    }
    if (audioMaster && audio_ && writer_.AudioBytes() > 0 && writer_.VideoFrames() > 0) {
        const double seconds = double(writer_.AudioBytes()) / writer_.AudioBytesPerSecond();
        const double fps = writer_.VideoFrames() / seconds;
        // Only a plausible correction: a huge one means one of the streams stalled.
        if (fps > 1.0 && fps < 120.0) writer_.SetVideoRate(uint32_t(fps * 1000 + 0.5), 1000);
    }
    const bool ok = writer_.Close();
    video_.reset();
    audio_.reset();
    return ok;
}

uint32_t AviRecorder::VideoFrames() const {
    std::lock_guard<std::mutex> hold(lock_);
    return writer_.VideoFrames();
}

}  // namespace yscap
