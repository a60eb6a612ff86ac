// AviReader: parses an AVI 1.0 file back into its headers, movi chunks and idx1 index, and checks
// that the index agrees with the chunks. Used to verify recordings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace avi {

struct AviMainHeader {
    uint32_t microSecPerFrame = 0, maxBytesPerSec = 0, flags = 0, totalFrames = 0, streams = 0,
             suggestedBufferSize = 0, width = 0, height = 0;
};

struct AviSuperIndexEntry {
    uint64_t offset = 0;  // of an ix## chunk
    uint32_t size = 0, duration = 0;
};

struct AviStreamInfo {
    uint32_t type = 0, handler = 0, scale = 0, rate = 0, length = 0, suggestedBufferSize = 0, sampleSize = 0;
    std::vector<uint8_t> format;                 // strf contents
    std::vector<AviSuperIndexEntry> superIndex;  // OpenDML 'indx' entries in use
};

struct AviChunk {
    uint32_t ckid = 0;
    uint64_t offset = 0;  // of the chunk's four-cc, from the start of the file
    uint32_t size = 0;
    uint32_t segment = 0;  // RIFF segment: 0 = 'AVI ', then each 'AVIX'
};

// An OpenDML standard index chunk ('ix00' ...).
struct AviStandardIndex {
    uint64_t offset = 0;  // of the ix chunk
    uint32_t chunkId = 0;
    uint64_t baseOffset = 0;
    std::vector<std::pair<uint32_t, uint32_t>>
        entries;  // offset from base (to the data), size | 0x80000000 = not key
};

struct AviIndexEntry {
    uint32_t ckid = 0, flags = 0, offset = 0, size = 0;
};

struct AviFileInfo {
    uint64_t fileSize = 0;
    uint32_t riffSize = 0;
    AviMainHeader main;
    std::vector<AviStreamInfo> streams;
    uint32_t moviOffset = 0;       // of the first 'movi' four-cc
    uint32_t odmlTotalFrames = 0;  // from 'dmlh'; 0 when absent
    uint32_t segments = 0;         // RIFF segments
    std::vector<AviChunk> chunks;  // media chunks of every segment, in file order
    std::vector<AviStandardIndex> standardIndexes;
    bool hasIndex = false;
    std::vector<AviIndexEntry> index;

    // Chunks of stream n ('00dc', '01wb' ...).
    size_t ChunkCount(int stream) const;
};

// Parses memory holding a whole file. error receives the reason on failure.
bool ParseAvi(const uint8_t* data, size_t size, AviFileInfo& out, std::string& error);
bool ParseAviFile(const std::string& path, AviFileInfo& out, std::string& error);

// Empty when idx1 names every chunk of the first segment in order with its size, the first video
// chunk is a key frame, and (OpenDML) each stream's super index leads to standard indexes that name
// every chunk of the stream in every segment; otherwise what disagrees.
std::string CheckAviIndex(const AviFileInfo& avi);

}  // namespace avi
