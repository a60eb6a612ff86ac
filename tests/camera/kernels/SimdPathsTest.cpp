// Every vector path of the kernels against the plain one, byte for byte (padding included), on
// sizes that leave partial vectors: single pixels, single rows and columns, odd widths.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/DigitalZoom.h"
#include "camera/libs/PelFilters/kernels/Flip.h"
#include "tests/camera/kernels/TestFrame.h"

namespace {

const SimdLevel kFastLevels[] = {SimdLevel::Sse2, SimdLevel::Ssse3, SimdLevel::Avx2};

struct Size {
    int w, h;
};
const Size kOddSizes[] = {{1, 1},  {1, 9},  {9, 1},   {2, 2},  {5, 3},   {15, 4},  {16, 5},
                          {17, 9}, {21, 7}, {37, 23}, {63, 2}, {100, 3}, {641, 31}};

TestFrame Noise(int w, int h, bool topDown, std::uint32_t seed) {
    TestFrame f(w, h, topDown);
    for (auto& b : f.bytes) b = static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
    return f;
}

bool Supported(SimdLevel level) {
    return static_cast<int>(level) <= static_cast<int>(DetectedSimdLevel());
}

TEST(SimdPaths, DigitalZoomMatchesThePlainPath) {
    for (const Size size : kOddSizes)
        for (int factor : {2, 3, 4})
            for (bool topDown : {false, true}) {
                const TestFrame source =
                    Noise(size.w, size.h, topDown, 77u + static_cast<std::uint32_t>(factor));
                TestFrame plain = source;
                pel::DigitalZoom().Apply(plain.View(), factor, SimdLevel::Plain);
                for (SimdLevel level : kFastLevels) {
                    if (!Supported(level)) continue;
                    TestFrame fast = source;
                    pel::DigitalZoom zoom;
                    zoom.Apply(fast.View(), factor, level);
                    ASSERT_EQ(fast.bytes, plain.bytes) << size.w << "x" << size.h << " factor " << factor
                                                       << " level " << static_cast<int>(level);
                    // Tables kept from the first frame serve the next one alike.
                    fast = source;
                    zoom.Apply(fast.View(), factor, level);
                    ASSERT_EQ(fast.bytes, plain.bytes);
                }
            }
}

TEST(SimdPaths, MirrorAndHalfTurnMatchThePlainPath) {
    for (const Size size : kOddSizes)
        for (bool topDown : {false, true}) {
            const TestFrame source = Noise(size.w, size.h, topDown, 5u + static_cast<std::uint32_t>(size.w));
            TestFrame plainMirror = source, plainTurn = source;
            pel::MirrorHorizontal(plainMirror.View(), SimdLevel::Plain);
            pel::TurnHalfway(plainTurn.View(), SimdLevel::Plain);
            for (SimdLevel level : kFastLevels) {
                if (!Supported(level)) continue;
                TestFrame mirror = source, turn = source;
                pel::MirrorHorizontal(mirror.View(), level);
                pel::TurnHalfway(turn.View(), level);
                ASSERT_EQ(mirror.bytes, plainMirror.bytes) << size.w << "x" << size.h;
                ASSERT_EQ(turn.bytes, plainTurn.bytes) << size.w << "x" << size.h;
            }
        }
}

}  // namespace
