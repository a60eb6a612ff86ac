// AviReader: parses an AVI 1.0 file back into its headers, movi chunks and idx1 index, and checks
// that the index agrees with the chunks. Used to verify recordings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace yscap {

struct AviMainHeader {
    uint32_t microSecPerFrame = 0, maxBytesPerSec = 0, flags = 0, totalFrames = 0, streams = 0,
             suggestedBufferSize = 0, width = 0, height = 0;
};

struct AviStreamInfo {
    uint32_t type = 0, handler = 0, scale = 0, rate = 0, length = 0, suggestedBufferSize = 0, sampleSize = 0;
    std::vector<uint8_t> format;  // strf contents
};

struct AviChunk {
    uint32_t ckid = 0;
    uint32_t offset = 0;  // of the chunk's four-cc, from the start of the file
    uint32_t size = 0;
};

struct AviIndexEntry {
    uint32_t ckid = 0, flags = 0, offset = 0, size = 0;
};

struct AviFileInfo {
    uint64_t fileSize = 0;
    uint32_t riffSize = 0;
    AviMainHeader main;
    std::vector<AviStreamInfo> streams;
    uint32_t moviOffset = 0;  // of the 'movi' four-cc
    std::vector<AviChunk> chunks;
    bool hasIndex = false;
    std::vector<AviIndexEntry> index;

    // Chunks of stream n ('00dc', '01wb' ...).
    size_t ChunkCount(int stream) const;
};

// Parses memory holding a whole file. error receives the reason on failure.
bool ParseAvi(const uint8_t* data, size_t size, AviFileInfo& out, std::string& error);
bool ParseAviFile(const std::string& path, AviFileInfo& out, std::string& error);

// Empty when the index names every movi chunk in order with its size and a key frame flag on the
// first video chunk; otherwise what disagrees.
std::string CheckAviIndex(const AviFileInfo& avi);

}  // namespace yscap
