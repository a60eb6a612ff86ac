// What a journey checks of a recorded AVI file: RIFF form, main header and a movie list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

struct AviSummary {
    bool valid = false;  // RIFF "AVI ", with "avih" and "movi"
    uint32_t totalFrames = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

AviSummary ReadAviSummary(const std::vector<uint8_t>& file);

}  // namespace e2e
