#include "monitor/libs/YsCapture/core/AviWriter.h"

#include <algorithm>
#include <cstring>

namespace yscap {
namespace {

constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAviifKeyFrame = 0x10;
constexpr uint32_t kMainHeaderSize = 56;
constexpr uint32_t kStreamHeaderSize = 56;
const uint32_t kVideoChunk = MakeFourCc('0', '0', 'd', 'c');
const uint32_t kAudioChunk = MakeFourCc('0', '1', 'w', 'b');

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}

// Header layout, fixed in size so Close can rewrite it in place.
struct Layout {
    static uint32_t StreamList(uint32_t strfSize) {
        return 12 + 8 + kStreamHeaderSize + 8 + strfSize + (strfSize & 1);
    }
};

}  // namespace

AviWriter::~AviWriter() {
    Close();
}

bool AviWriter::Put(const void* data, size_t size) {
    if (failed_) return false;
    if (size && std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
        return false;
    }
    position_ += uint32_t(size);
    return true;
}

bool AviWriter::Open(const std::string& path, const AviVideoFormat& video, const AviAudioFormat* audio,
                     uint32_t byteLimit) {
    Close();
    if (video.width <= 0 || video.height <= 0 || video.strf.size() < 40 || video.rate == 0 ||
        video.scale == 0)
        return false;
    if (audio && audio->strf.size() < 16) return false;
    video_ = video;
    hasAudio_ = audio != nullptr;
    if (hasAudio_) {
        audio_ = *audio;
        audioAvgBytes_ = Le32(audio_.strf, 8);
        audioBlockAlign_ = Le16(audio_.strf, 12);
        if (audioBlockAlign_ == 0 || audioAvgBytes_ == 0) return false;
    }
    limit_ = byteLimit;
    failed_ = false;
    limitReached_ = false;
    position_ = 0;
    videoFrames_ = maxVideoChunk_ = maxAudioChunk_ = 0;
    audioBytes_ = 0;
    index_.clear();
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    if (!WriteHeaders(0)) {
        std::fclose(file_);
        file_ = nullptr;
        std::remove(path.c_str());
        return false;
    }
    return true;
}

// Writes RIFF, hdrl and the start of movi. Called again by Close with the final counts.
bool AviWriter::WriteHeaders(uint32_t moviEnd) {
    const uint32_t streams = hasAudio_ ? 2 : 1;
    uint32_t hdrlSize = 4 + 8 + kMainHeaderSize + Layout::StreamList(uint32_t(video_.strf.size()));
    if (hasAudio_) hdrlSize += Layout::StreamList(uint32_t(audio_.strf.size()));

    const uint32_t fileSize = position_;
    std::fseek(file_, 0, SEEK_SET);
    position_ = 0;
    Put32(MakeFourCc('R', 'I', 'F', 'F'));
    Put32(fileSize > 8 ? fileSize - 8 : 0);
    Put32(MakeFourCc('A', 'V', 'I', ' '));
    Put32(MakeFourCc('L', 'I', 'S', 'T'));
    Put32(hdrlSize);
    Put32(MakeFourCc('h', 'd', 'r', 'l'));

    // Main header.
    const uint32_t usPerFrame = uint32_t(uint64_t(1000000) * video_.scale / video_.rate);
    Put32(MakeFourCc('a', 'v', 'i', 'h'));
    Put32(kMainHeaderSize);
    const uint64_t audioPerSec = hasAudio_ ? audioAvgBytes_ : 0;
    const uint64_t maxBytesPerSec = uint64_t(maxVideoChunk_) * video_.rate / video_.scale + audioPerSec;
    const uint32_t mainHeader[14] = {usPerFrame,
                                     uint32_t(maxBytesPerSec > 0xFFFFFFFFu ? 0xFFFFFFFFu : maxBytesPerSec),
                                     0,
                                     kAvifHasIndex,
                                     videoFrames_,
                                     0,
                                     streams,
                                     std::max(maxVideoChunk_, maxAudioChunk_) + 8,
                                     uint32_t(video_.width),
                                     uint32_t(video_.height),
                                     0,
                                     0,
                                     0,
                                     0};
    Put(mainHeader, sizeof mainHeader);

    auto streamList = [&](uint32_t type, uint32_t handler, uint32_t scale, uint32_t rate, uint32_t length,
                          uint32_t suggested, uint32_t sampleSize, const std::vector<uint8_t>& strf,
                          bool video) {
        Put32(MakeFourCc('L', 'I', 'S', 'T'));
        Put32(Layout::StreamList(uint32_t(strf.size())) - 8);
        Put32(MakeFourCc('s', 't', 'r', 'l'));
        Put32(MakeFourCc('s', 't', 'r', 'h'));
        Put32(kStreamHeaderSize);
        const uint32_t head[10] = {type, handler, 0, 0, 0, scale, rate, 0, length, suggested};
        Put(head, sizeof head);
        Put32(0xFFFFFFFFu);  // quality: driver default
        Put32(sampleSize);
        const int16_t frame[4] = {0, 0, int16_t(video ? video_.width : 0),
                                  int16_t(video ? video_.height : 0)};
        Put(frame, sizeof frame);
        Put32(MakeFourCc('s', 't', 'r', 'f'));
        Put32(uint32_t(strf.size()));
        Put(strf.data(), strf.size());
        if (strf.size() & 1) Put("", 1);
    };
    streamList(MakeFourCc('v', 'i', 'd', 's'), video_.handler, video_.scale, video_.rate, videoFrames_,
               maxVideoChunk_, 0, video_.strf, true);
    if (hasAudio_) {
        const uint32_t blocks = uint32_t(audioBytes_ / audioBlockAlign_);
        streamList(MakeFourCc('a', 'u', 'd', 's'), 0, audioBlockAlign_, audioAvgBytes_, blocks,
                   maxAudioChunk_, audioBlockAlign_, audio_.strf, false);
    }

    moviListPos_ = position_;
    Put32(MakeFourCc('L', 'I', 'S', 'T'));
    Put32(moviEnd > moviListPos_ + 8 ? moviEnd - moviListPos_ - 8 : 4);
    Put32(MakeFourCc('m', 'o', 'v', 'i'));
    if (fileSize > position_) {
        std::fseek(file_, 0, SEEK_END);
        position_ = fileSize;
    }
    return !failed_;
}

bool AviWriter::WriteChunk(uint32_t ckid, const void* data, uint32_t size, uint32_t flags) {
    if (!file_ || failed_ || limitReached_) return false;
    const uint64_t padded = uint64_t(size) + (size & 1);
    // Room for this chunk, its index entry and the index header must remain under the limit.
    const uint64_t after = uint64_t(position_) + 8 + padded + 8 + uint64_t(index_.size() + 1) * 16;
    if (after > limit_) {
        limitReached_ = true;
        return false;
    }
    const uint32_t offset = position_ - (moviListPos_ + 8);  // from the 'movi' four-cc
    Put32(ckid);
    Put32(size);
    Put(data, size);
    if (size & 1) Put("", 1);
    if (failed_) return false;
    index_.push_back({ckid, flags, offset, size});
    return true;
}

bool AviWriter::WriteVideo(const void* data, uint32_t size, bool keyFrame) {
    if (!WriteChunk(kVideoChunk, data, size, keyFrame && size ? kAviifKeyFrame : 0)) return false;
    ++videoFrames_;
    maxVideoChunk_ = std::max(maxVideoChunk_, size);
    return true;
}

bool AviWriter::WriteAudio(const void* data, uint32_t size) {
    if (!hasAudio_ || size == 0) return false;
    if (!WriteChunk(kAudioChunk, data, size, kAviifKeyFrame)) return false;
    audioBytes_ += size;
    maxAudioChunk_ = std::max(maxAudioChunk_, size);
    return true;
}

void AviWriter::SetVideoRate(uint32_t rate, uint32_t scale) {
    if (rate && scale) {
        video_.rate = rate;
        video_.scale = scale;
    }
}

bool AviWriter::Close() {
    if (!file_) return true;
    const uint32_t moviEnd = position_;
    Put32(MakeFourCc('i', 'd', 'x', '1'));
    Put32(uint32_t(index_.size() * 16));
    for (const IndexEntry& e : index_) Put(&e, sizeof e);
    WriteHeaders(moviEnd);
    const bool ok = !failed_ && std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    index_.clear();
    return ok && closed;
}

}  // namespace yscap
