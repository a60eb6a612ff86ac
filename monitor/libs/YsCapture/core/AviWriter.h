// AviWriter: writes an AVI 1.0 file (RIFF 'AVI ', one video stream, optional audio stream, idx1 index).
// The file never grows past a byte limit (below 2 GB by default): a chunk that would cross it is
// refused, LimitReached() turns true, and Close() still writes a complete, playable file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace yscap {

constexpr uint32_t MakeFourCc(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

struct AviVideoFormat {
    int width = 0;
    int height = 0;
    uint32_t handler = 0;       // compressor four-cc ('DIB ' for full frames)
    std::vector<uint8_t> strf;  // BITMAPINFOHEADER (+ palette) as stored in the file
    uint32_t rate = 30;         // frames per second = rate / scale
    uint32_t scale = 1;
};

struct AviAudioFormat {
    std::vector<uint8_t> strf;  // WAVEFORMATEX (+ extra bytes) as stored in the file
};

class AviWriter {
  public:
    // Just under 2 GB: offsets and sizes stay within what every AVI 1.0 reader accepts.
    static constexpr uint32_t kDefaultLimit = 0x7F000000u;

    AviWriter() = default;
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;
    ~AviWriter();

    // audio == nullptr: video only. False when the file cannot be created or the formats are bad.
    bool Open(const std::string& path, const AviVideoFormat& video, const AviAudioFormat* audio,
              uint32_t byteLimit = kDefaultLimit);
    bool IsOpen() const { return file_ != nullptr; }

    // size 0 writes an empty chunk: the player repeats the previous frame (keeps the timing).
    bool WriteVideo(const void* data, uint32_t size, bool keyFrame);
    bool WriteAudio(const void* data, uint32_t size);

    // Changes the video rate written at Close (used to match the video length to the audio).
    void SetVideoRate(uint32_t rate, uint32_t scale);

    // Finalises headers and index. Safe to call twice; false when a write failed.
    bool Close();

    bool LimitReached() const { return limitReached_; }
    uint32_t VideoFrames() const { return videoFrames_; }
    uint64_t AudioBytes() const { return audioBytes_; }
    uint32_t AudioBlockAlign() const { return audioBlockAlign_; }
    uint32_t AudioBytesPerSecond() const { return audioAvgBytes_; }
    uint32_t BytesWritten() const { return position_; }

  private:
    struct IndexEntry {
        uint32_t ckid, flags, offset, size;
    };
    bool WriteChunk(uint32_t ckid, const void* data, uint32_t size, uint32_t flags);
    bool WriteHeaders(uint32_t moviEnd);  // moviEnd 0: movi still empty
    bool Put(const void* data, size_t size);
    bool Put32(uint32_t v) { return Put(&v, 4); }

    std::FILE* file_ = nullptr;
    bool failed_ = false;
    bool limitReached_ = false;
    uint32_t limit_ = kDefaultLimit;
    uint32_t position_ = 0;
    uint32_t moviListPos_ = 0;  // offset of the 'movi' list's size field - 4
    AviVideoFormat video_;
    bool hasAudio_ = false;
    AviAudioFormat audio_;
    uint32_t audioBlockAlign_ = 1;
    uint32_t audioAvgBytes_ = 0;
    uint32_t videoFrames_ = 0;
    uint32_t maxVideoChunk_ = 0;
    uint32_t maxAudioChunk_ = 0;
    uint64_t audioBytes_ = 0;
    std::vector<IndexEntry> index_;
};

}  // namespace yscap
