#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Row work of the digital zoom with vector instructions. Every byte is
// (first x (256 - weight) + second x weight + 128) >> 8, exactly as the plain loops compute it.
namespace pel::zoomrows {

// One weight for a whole run of bytes (the pass down the picture), with SSE2.
void BlendRunSse2(const std::uint8_t* first, const std::uint8_t* second, std::uint8_t* out, std::size_t count,
                  std::uint32_t weight);

// Where one output byte of a widened row reads: its two source bytes and the weight of the second.
struct ByteTap {
    std::uint32_t first;
    std::uint32_t second;
    std::uint32_t weight;
};

// Sixteen output bytes whose sources all lie in the 16 source bytes from `base`: one load, two
// byte shuffles and one blend make them.
struct ShuffleBlock {
    std::uint32_t base;
    std::uint8_t first[16];
    std::uint8_t second[16];
    std::uint16_t firstWeight[16];
    std::uint16_t secondWeight[16];
};

// The blocks of a row of `taps.size()` output bytes read from a source row of `sourceBytes`;
// blocks whose sources do not fit one load come out with `base` set to kNoBlock.
constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;
std::vector<ShuffleBlock> PlanShuffleBlocks(const std::vector<ByteTap>& taps, std::size_t sourceBytes);

// One widened row with SSSE3: the planned blocks, the bytes they do not cover byte by byte.
void WidenRowSsse3(const std::uint8_t* source, std::uint8_t* out, const std::vector<ShuffleBlock>& blocks,
                   const std::vector<ByteTap>& taps);

}  // namespace pel::zoomrows
