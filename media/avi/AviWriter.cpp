#include "media/avi/AviWriter.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace avi {
namespace {

constexpr uint32_t kAvifHasIndex = 0x10;
constexpr uint32_t kAviifKeyFrame = 0x10;
constexpr uint32_t kMainHeaderSize = 56;
constexpr uint32_t kStreamHeaderSize = 56;
constexpr uint32_t kDmlhSize = 248;
constexpr uint32_t kIndexHeaderSize = 24;  // of indx and ix## bodies before their entries
constexpr uint8_t kIndexOfIndexes = 0x00;
constexpr uint8_t kIndexOfChunks = 0x01;

uint32_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8;
}
uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}
uint32_t Pad(uint32_t size) {
    return size + (size & 1);
}

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
    position_ += size;
    end_ = std::max(end_, position_);
    return true;
}

bool AviWriter::Seek(uint64_t position) {
#ifdef _WIN32
    const bool ok = _fseeki64(file_, int64_t(position), SEEK_SET) == 0;
#else
    const bool ok = fseeko(file_, off_t(position), SEEK_SET) == 0;
#endif
    if (!ok) failed_ = true;
    position_ = position;
    return ok;
}

bool AviWriter::SeekEnd() {
    return Seek(end_);
}

// Forgets everything from `position` on: the file is cut there and writing goes on from there.
void AviWriter::DropFrom(uint64_t position) {
    std::clearerr(file_);
    failed_ = false;
#ifdef _WIN32
    const bool cut = _chsize_s(_fileno(file_), int64_t(position)) == 0;
#else
    const bool cut = ftruncate(fileno(file_), off_t(position)) == 0;
#endif
    end_ = position;
    if (!cut) failed_ = true;
    Seek(position);
}

// Close after the indexes did not fit: the frames up to dataEnd stay, the list and RIFF sizes and
// the headers (rewritten in place, needing no new room) describe them.
void AviWriter::CloseWithoutIndex(uint64_t dataEnd) {
    DropFrom(dataEnd);
    for (StreamState& s : streams_) {
        while (!s.super.empty() && s.super.back().offset >= dataEnd) s.super.pop_back();
    }
    Seek(moviStart_ + 4);
    Put32(uint32_t(dataEnd - moviStart_ - 8));
    if (segment_ > 0) {
        Seek(segmentStart_ + 4);
        Put32(uint32_t(dataEnd - segmentStart_ - 8));
    } else {
        firstRiffEnd_ = dataEnd;
    }
}

uint64_t AviWriter::ReservedIndexBytes() const {
    // Standard index chunks still to write for the open segment, plus idx1 in the first one.
    uint64_t bytes = 0;
    for (int s = 0; s < (hasAudio_ ? 2 : 1); ++s)
        bytes += 8 + kIndexHeaderSize + 8 * (streams_[s].chunks.size() + 1);
    if (segment_ == 0) bytes += 8 + 16 * (firstSegmentAll_.size() + 1);
    return bytes;
}

bool AviWriter::Open(const std::string& path, const AviVideoFormat& video, const AviAudioFormat* audio,
                     const AviLimits& limits) {
    Close();
    if (video.width <= 0 || video.height <= 0 || video.strf.size() < 40 || video.rate == 0 ||
        video.scale == 0)
        return false;
    if (audio && audio->strf.size() < 16) return false;
    if (limits.maxSegments == 0 || limits.segmentBytes < 4096) return false;
    video_ = video;
    hasAudio_ = audio != nullptr;
    if (hasAudio_) {
        audio_ = *audio;
        audioAvgBytes_ = Le32(audio_.strf, 8);
        audioBlockAlign_ = Le16(audio_.strf, 12);
        if (audioBlockAlign_ == 0 || audioAvgBytes_ == 0) return false;
    }
    limits_ = limits;
    failed_ = limitReached_ = writeFailed_ = false;
    position_ = end_ = 0;
    segment_ = 0;
    videoFrames_ = maxVideoChunk_ = maxAudioChunk_ = firstSegmentFrames_ = 0;
    audioBytes_ = 0;
    firstSegmentAll_.clear();
    firstSegmentIds_.clear();
    firstRiffEnd_ = 0;
    streams_[0] = StreamState{};
    streams_[1] = StreamState{};
    streams_[0].ckid = MakeFourCc('0', '0', 'd', 'c');
    streams_[1].ckid = MakeFourCc('0', '1', 'w', 'b');
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    // Unbuffered: a write that fails (disk full) fails at the chunk that caused it, with nothing
    // of earlier chunks still waiting in a buffer, so the file can be cut back to whole chunks.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (!WriteHeaders()) {
        std::fclose(file_);
        file_ = nullptr;
        std::remove(path.c_str());
        return false;
    }
    return true;
}

// Writes (or rewrites at Close) the first RIFF header, hdrl and the first movi list header.
// Every size in here is fixed, so the rewrite lands exactly on the first write.
bool AviWriter::WriteHeaders() {
    const uint32_t streams = hasAudio_ ? 2 : 1;
    const uint32_t indxSize = kIndexHeaderSize + 16 * limits_.maxSegments;
    auto strlSize = [&](const std::vector<uint8_t>& strf) {
        return 4 + 8 + kStreamHeaderSize + 8 + Pad(uint32_t(strf.size())) + 8 + indxSize;
    };
    uint32_t hdrlSize = 4 + 8 + kMainHeaderSize + 8 + strlSize(video_.strf) + 8 + 4 + 8 + kDmlhSize;
    if (hasAudio_) hdrlSize += 8 + strlSize(audio_.strf);

    Seek(0);
    Put32(MakeFourCc('R', 'I', 'F', 'F'));
    Put32(firstRiffEnd_ > 8 ? uint32_t(firstRiffEnd_ - 8) : 0);
    Put32(MakeFourCc('A', 'V', 'I', ' '));
    Put32(MakeFourCc('L', 'I', 'S', 'T'));
    Put32(hdrlSize);
    Put32(MakeFourCc('h', 'd', 'r', 'l'));

    const uint32_t usPerFrame = uint32_t(uint64_t(1000000) * video_.scale / video_.rate);
    const uint64_t maxBytesPerSec =
        uint64_t(maxVideoChunk_) * video_.rate / video_.scale + (hasAudio_ ? audioAvgBytes_ : 0);
    Put32(MakeFourCc('a', 'v', 'i', 'h'));
    Put32(kMainHeaderSize);
    const uint32_t mainHeader[14] = {usPerFrame,
                                     uint32_t(std::min<uint64_t>(maxBytesPerSec, 0xFFFFFFFFu)),
                                     0,
                                     kAvifHasIndex,
                                     firstSegmentFrames_,  // frames of the first segment (idx1)
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

    auto streamList = [&](int index, uint32_t type, uint32_t handler, uint32_t scale, uint32_t rate,
                          uint32_t length, uint32_t suggested, uint32_t sampleSize,
                          const std::vector<uint8_t>& strf, bool video) {
        Put32(MakeFourCc('L', 'I', 'S', 'T'));
        Put32(strlSize(strf));
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

        // Super index: one entry per segment, the rest reserved.
        StreamState& s = streams_[index];
        s.indxPosition = position_;
        Put32(MakeFourCc('i', 'n', 'd', 'x'));
        Put32(indxSize);
        const uint8_t head2[4] = {4, 0, 0, kIndexOfIndexes};
        Put(head2, 4);
        Put32(uint32_t(s.super.size()));
        Put32(s.ckid);
        const uint32_t reserved[3] = {0, 0, 0};
        Put(reserved, sizeof reserved);
        for (uint32_t i = 0; i < limits_.maxSegments; ++i) {
            const SuperEntry e = i < s.super.size() ? s.super[i] : SuperEntry{0, 0, 0};
            Put64(e.offset);
            Put32(e.size);
            Put32(e.duration);
        }
    };
    streamList(0, MakeFourCc('v', 'i', 'd', 's'), video_.handler, video_.scale, video_.rate, videoFrames_,
               maxVideoChunk_, 0, video_.strf, true);
    if (hasAudio_) {
        streamList(1, MakeFourCc('a', 'u', 'd', 's'), 0, audioBlockAlign_, audioAvgBytes_,
                   uint32_t(audioBytes_ / audioBlockAlign_), maxAudioChunk_, audioBlockAlign_, audio_.strf,
                   false);
    }

    // OpenDML header: the frame count of the whole file.
    odmlPosition_ = position_;
    Put32(MakeFourCc('L', 'I', 'S', 'T'));
    Put32(4 + 8 + kDmlhSize);
    Put32(MakeFourCc('o', 'd', 'm', 'l'));
    Put32(MakeFourCc('d', 'm', 'l', 'h'));
    Put32(kDmlhSize);
    std::vector<uint8_t> dmlh(kDmlhSize, 0);
    std::memcpy(dmlh.data(), &videoFrames_, 4);
    Put(dmlh.data(), dmlh.size());

    if (end_ <= position_) {  // first write: the first movi list starts here
        segmentStart_ = 0;
        moviStart_ = position_;
        Put32(MakeFourCc('L', 'I', 'S', 'T'));
        Put32(4);
        Put32(MakeFourCc('m', 'o', 'v', 'i'));
    }
    return !failed_;
}

bool AviWriter::BeginSegment() {
    ++segment_;
    segmentStart_ = position_;
    Put32(MakeFourCc('R', 'I', 'F', 'F'));
    Put32(0);
    Put32(MakeFourCc('A', 'V', 'I', 'X'));
    moviStart_ = position_;
    Put32(MakeFourCc('L', 'I', 'S', 'T'));
    Put32(4);
    Put32(MakeFourCc('m', 'o', 'v', 'i'));
    return !failed_;
}

bool AviWriter::WriteStandardIndex(StreamState& s, uint32_t indexId, uint32_t blockAlign) {
    if (s.chunks.empty()) return true;
    const uint64_t base = s.chunks.front().position;
    const uint32_t bodySize = kIndexHeaderSize + 8 * uint32_t(s.chunks.size());
    const uint64_t at = position_;
    Put32(indexId);
    Put32(bodySize);
    const uint8_t head[4] = {2, 0, 0, kIndexOfChunks};
    Put(head, 4);
    Put32(uint32_t(s.chunks.size()));
    Put32(s.ckid);
    Put64(base);
    Put32(0);
    uint32_t duration = 0;
    for (const Chunk& c : s.chunks) {
        Put32(uint32_t(c.position + 8 - base));  // offsets point at the chunk data
        Put32(c.size | (c.key ? 0u : 0x80000000u));
        duration += blockAlign ? c.size / blockAlign : 1;
    }
    s.super.push_back({at, 8 + bodySize, duration});
    s.chunks.clear();
    return !failed_;
}

// Closes the open segment: its standard indexes (and idx1 in the first one) and its sizes.
bool AviWriter::EndSegment(bool last) {
    WriteStandardIndex(streams_[0], MakeFourCc('i', 'x', '0', '0'), 0);
    if (hasAudio_) WriteStandardIndex(streams_[1], MakeFourCc('i', 'x', '0', '1'), audioBlockAlign_);
    const uint64_t moviEnd = position_;
    if (segment_ == 0) {
        Put32(MakeFourCc('i', 'd', 'x', '1'));
        Put32(uint32_t(firstSegmentAll_.size() * 16));
        for (size_t i = 0; i < firstSegmentAll_.size(); ++i) {
            const Chunk& c = firstSegmentAll_[i];
            const uint32_t entry[4] = {firstSegmentIds_[i], c.key ? kAviifKeyFrame : 0,
                                       uint32_t(c.position - (moviStart_ + 8)), c.size};
            Put(entry, sizeof entry);
        }
        firstRiffEnd_ = position_;
        firstSegmentAll_.clear();
        firstSegmentIds_.clear();
    }
    const uint64_t segmentEnd = position_;
    Seek(moviStart_ + 4);
    Put32(uint32_t(moviEnd - moviStart_ - 8));
    if (segment_ > 0) {
        Seek(segmentStart_ + 4);
        Put32(uint32_t(segmentEnd - segmentStart_ - 8));
    }
    SeekEnd();
    if (!last) BeginSegment();
    return !failed_;
}

bool AviWriter::WriteChunk(int stream, const void* data, uint32_t size, bool key) {
    if (!file_ || failed_ || limitReached_) return false;
    const uint64_t need = 8 + uint64_t(Pad(size)) + 8 + 16;  // chunk, its ix entry, its idx1 entry
    if (position_ + need + ReservedIndexBytes() - segmentStart_ > limits_.segmentBytes) {
        if (segment_ + 1 >= limits_.maxSegments) {
            limitReached_ = true;
            return false;
        }
        if (!EndSegment(false)) return false;
    }
    if (limits_.fileBytes && position_ + need + ReservedIndexBytes() + 8 > limits_.fileBytes) {
        limitReached_ = true;
        return false;
    }
    StreamState& s = streams_[stream];
    const Chunk chunk{position_, size, key};
    Put32(s.ckid);
    Put32(size);
    Put(data, size);
    if (size & 1) Put("", 1);
    if (failed_) {  // no room: drop the partial chunk and take no more
        DropFrom(chunk.position);
        writeFailed_ = limitReached_ = true;
        return false;
    }
    s.chunks.push_back(chunk);
    if (segment_ == 0) {
        firstSegmentAll_.push_back(chunk);
        firstSegmentIds_.push_back(s.ckid);
        if (stream == 0) ++firstSegmentFrames_;
    }
    return true;
}

bool AviWriter::WriteVideo(const void* data, uint32_t size, bool keyFrame) {
    if (!WriteChunk(0, data, size, keyFrame && size)) return false;
    ++videoFrames_;
    maxVideoChunk_ = std::max(maxVideoChunk_, size);
    return true;
}

bool AviWriter::WriteAudio(const void* data, uint32_t size) {
    if (!hasAudio_ || size == 0) return false;
    if (!WriteChunk(1, data, size, true)) return false;
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
    const uint64_t dataEnd = end_;
    if (!EndSegment(true)) {
        writeFailed_ = true;
        CloseWithoutIndex(dataEnd);
    }
    WriteHeaders();
    const bool ok = !failed_ && !writeFailed_ && std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok && closed;
}

}  // namespace avi
