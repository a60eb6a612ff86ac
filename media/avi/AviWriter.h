// AviWriter: writes an AVI file with one video stream and an optional audio stream.
// Large recordings use the OpenDML extension: the file is a chain of RIFF segments ('AVI ' first,
// then 'AVIX'), each segment's chunks are listed in standard index chunks ('ix00', 'ix01') and the
// stream headers carry super indexes ('indx') pointing at them. The first segment also carries the
// classic idx1 index, so players without OpenDML still play its part.
// The super indexes have room for a fixed number of segments; when they are full (or the optional
// byte limit would be crossed) further chunks are refused, LimitReached() turns true, and Close()
// still writes a complete, playable file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace avi {

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

struct AviLimits {
    uint64_t segmentBytes = 1u << 30;  // a RIFF segment ends before it grows past this
    uint64_t fileBytes = 0;            // 0: no limit besides the segment count
    uint32_t maxSegments = 256;        // entries reserved in each super index
};

class AviWriter {
  public:
    AviWriter() = default;
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;
    ~AviWriter();

    // audio == nullptr: video only. False when the file cannot be created or the formats are bad.
    bool Open(const std::string& path, const AviVideoFormat& video, const AviAudioFormat* audio,
              const AviLimits& limits = AviLimits());
    bool IsOpen() const { return file_ != nullptr; }

    // size 0 writes an empty chunk: the player repeats the previous frame (keeps the timing).
    bool WriteVideo(const void* data, uint32_t size, bool keyFrame);
    bool WriteAudio(const void* data, uint32_t size);

    // Changes the video rate written at Close (used to match the video length to the audio).
    void SetVideoRate(uint32_t rate, uint32_t scale);

    // Finalises indexes and headers. Safe to call twice; false when a write failed. After a failed
    // write (a full disk) the file is cut back to its last whole chunk and still closed readable:
    // with its indexes when they fit in the room the cut chunk left, else with headers and sizes.
    bool Close();

    bool LimitReached() const { return limitReached_; }
    uint32_t VideoFrames() const { return videoFrames_; }
    uint64_t AudioBytes() const { return audioBytes_; }
    uint32_t AudioBytesPerSecond() const { return audioAvgBytes_; }
    uint64_t BytesWritten() const { return position_; }

  private:
    struct Chunk {
        uint64_t position;  // of the chunk header
        uint32_t size;
        bool key;
    };
    struct SuperEntry {
        uint64_t offset;
        uint32_t size, duration;
    };
    struct StreamState {
        uint32_t ckid = 0;
        std::vector<Chunk> chunks;  // of the open segment
        std::vector<SuperEntry> super;
        uint64_t indxPosition = 0;  // of the 'indx' chunk in the header
    };

    bool WriteChunk(int stream, const void* data, uint32_t size, bool key);
    bool EndSegment(bool last);
    bool BeginSegment();
    bool WriteHeaders();
    bool WriteStandardIndex(StreamState& s, uint32_t indexId, uint32_t blockAlign);
    bool Put(const void* data, size_t size);
    bool Put32(uint32_t v) { return Put(&v, 4); }
    bool Put64(uint64_t v) { return Put(&v, 8); }
    bool Seek(uint64_t position);
    bool SeekEnd();
    void DropFrom(uint64_t position);
    void CloseWithoutIndex(uint64_t dataEnd);
    uint64_t ReservedIndexBytes() const;

    std::FILE* file_ = nullptr;
    bool failed_ = false;
    bool writeFailed_ = false;  // a write failed (disk full): the file ends at the last whole chunk
    bool limitReached_ = false;
    AviLimits limits_;
    uint64_t position_ = 0;
    uint64_t end_ = 0;
    uint32_t segment_ = 0;                // number of the open segment
    uint64_t segmentStart_ = 0;           // of its 'RIFF'
    uint64_t moviStart_ = 0;              // of its 'LIST' ... 'movi'
    std::vector<Chunk> firstSegmentAll_;  // every chunk of segment 0 in file order, for idx1
    std::vector<uint32_t> firstSegmentIds_;
    uint32_t firstSegmentFrames_ = 0;
    uint64_t firstRiffEnd_ = 0;
    uint64_t odmlPosition_ = 0;
    AviVideoFormat video_;
    bool hasAudio_ = false;
    AviAudioFormat audio_;
    uint32_t audioBlockAlign_ = 1;
    uint32_t audioAvgBytes_ = 0;
    uint32_t videoFrames_ = 0;
    uint32_t maxVideoChunk_ = 0;
    uint32_t maxAudioChunk_ = 0;
    uint64_t audioBytes_ = 0;
    StreamState streams_[2];
};

}  // namespace avi
