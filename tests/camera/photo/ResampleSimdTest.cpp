// Every vector path of the resampler against its plain path, byte for byte, on sizes that leave
// partial groups of pixels; the bytes behind the destination must stay untouched.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "camera/libs/PelImaging/ResampleBilinear.h"
#include "tests/camera/photo/TestImages.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kGuard = 32;

template <int N>
Bytes Run(const Bytes& source, int sw, int sh, int dw, int dh, SimdLevel level) {
    Bytes out(static_cast<std::size_t>(dw) * dh * N + kGuard, 0xCD);
    ResampleBilinear<N>(source.data(), sw, sh, dw, dh, out.data(), level);
    return out;
}

template <int N>
void CompareAllLevels() {
    struct Size {
        int w, h;
    };
    const Size sources[] = {{1, 1}, {1, 7}, {7, 1}, {3, 2}, {17, 5}, {33, 9}};
    const Size destinations[] = {{1, 1},  {1, 9},  {9, 1},  {2, 2},  {3, 5},    {5, 3},
                                 {15, 4}, {16, 2}, {17, 7}, {21, 2}, {101, 13}, {7, 50}};
    for (const Size s : sources)
        for (const Size d : destinations) {
            const Bytes source = NoiseBytes(static_cast<std::size_t>(s.w) * s.h * N, 3u + s.w * 7u + d.w);
            const Bytes plain = Run<N>(source, s.w, s.h, d.w, d.h, SimdLevel::Plain);
            ASSERT_EQ(Bytes(plain.end() - kGuard, plain.end()), Bytes(kGuard, 0xCD));
            for (SimdLevel level : {SimdLevel::Sse2, SimdLevel::Ssse3, SimdLevel::Avx2}) {
                if (static_cast<int>(level) > static_cast<int>(DetectedSimdLevel())) continue;
                ASSERT_EQ(Run<N>(source, s.w, s.h, d.w, d.h, level), plain)
                    << N << " bytes, " << s.w << "x" << s.h << " -> " << d.w << "x" << d.h << " level "
                    << static_cast<int>(level);
            }
        }
}

TEST(ResampleSimd, EveryPathMatchesThePlainOneOnOddSizes) {
    CompareAllLevels<3>();
    CompareAllLevels<4>();
}

}  // namespace
