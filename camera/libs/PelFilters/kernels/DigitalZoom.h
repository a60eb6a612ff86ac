#pragma once

#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"
#include "camera/libs/PelFilters/kernels/ZoomRows.h"
#include "simd/SimdLevel.h"

namespace pel {

// Digital zoom about the centre of the picture: the middle 1/factor of the width and height is
// enlarged to the whole frame with bilinear filtering, in place. Factors run from 1 (the picture
// unchanged) to 4; values outside are taken as the nearest of the two. The middle rows are scaled
// across first, into a buffer, then down into the frame. The object keeps its tables and buffers
// between calls, so frames of one size cost no allocation. Every SIMD level gives the same bytes as
// the plain one.
// Not synchronised: the filter holds its lock around every call.
class DigitalZoom {
  public:
    static constexpr int kMaxFactor = 4;

    void Apply(const Rgb24Frame& frame, int factor, SimdLevel level = DetectedSimdLevel());

  private:
    // One output column or row: the two source indices and the weight of the second, out of 256.
    struct Tap {
        int first;
        int second;
        std::uint32_t weight;
    };

    void PrepareTables(int width, int height, int factor);
    void WidenRow(const std::uint8_t* source, std::uint8_t* out, int width, int factor, SimdLevel level);
    void BlendRun(const std::uint8_t* first, const std::uint8_t* second, std::uint8_t* out, std::size_t count,
                  std::uint32_t weight, SimdLevel level);
    static std::vector<Tap> Taps(int length, int factor);

    int tableWidth_ = 0, tableHeight_ = 0, tableFactor_ = 0;
    std::vector<Tap> columns_, rows_;
    bool periodic_ = false;                    // the columns repeat every `factor` outputs, one pixel on
    std::vector<std::uint8_t> phase_;          // one phase of a widened row
    std::vector<std::uint8_t> widened_;        // the source rows in use, already scaled across
    std::vector<zoomrows::ByteTap> byteTaps_;  // the columns per byte, for the shuffles
    std::vector<zoomrows::ShuffleBlock> shuffleBlocks_;
};

}  // namespace pel
