// The video compressors a recording can use: full frames first, then every installed compressor
// that really encodes 24-bit frames at the recording sizes. Measured once per process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace yscap {

struct VideoCompressorChoice {
    std::string name;
    DWORD handler = 0;  // 0 = full frames
};

extern const char kFullFramesName[];

const std::vector<VideoCompressorChoice>& VideoCompressors();

}  // namespace yscap
