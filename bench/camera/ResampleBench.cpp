// ResampleBilinear against its plain per-pixel form on the largest photo: 640 x 480 -> 5160 x 3870.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "camera/libs/PelImaging/ResampleBilinear.h"
#include "tests/camera/photo/ResampleBilinearTranscription.h"
#include "tests/camera/photo/TestImages.h"

namespace {

constexpr int kSourceWidth = 640, kSourceHeight = 480;
constexpr int kPhotoWidth = 5160, kPhotoHeight = 3870;

const std::vector<std::uint8_t>& Source(int bytes) {
    static const std::vector<std::uint8_t> three = NoiseBytes(kSourceWidth * kSourceHeight * 3, 42);
    static const std::vector<std::uint8_t> four = NoiseBytes(kSourceWidth * kSourceHeight * 4, 43);
    return bytes == 3 ? three : four;
}

void SetRate(benchmark::State& state) {
    state.counters["Mpx/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPhotoWidth * kPhotoHeight / 1e6,
                           benchmark::Counter::kIsRate);
}

// Both forms must agree before their speeds mean anything.
template <int Bytes>
bool SameResult() {
    std::vector<std::uint8_t> fast(static_cast<std::size_t>(kPhotoWidth) * kPhotoHeight * Bytes);
    std::vector<std::uint8_t> plain(fast.size());
    ResampleBilinear<Bytes>(Source(Bytes).data(), kSourceWidth, kSourceHeight, kPhotoWidth, kPhotoHeight,
                            fast.data());
    ResampleBilinearTranscription<Bytes>(Source(Bytes).data(), kSourceWidth, kSourceHeight, kPhotoWidth,
                                         kPhotoHeight, plain.data());
    return fast == plain;
}

template <int Bytes>
void BM_ResampleTranscription(benchmark::State& state) {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kPhotoWidth) * kPhotoHeight * Bytes);
    for (auto _ : state) {
        ResampleBilinearTranscription<Bytes>(Source(Bytes).data(), kSourceWidth, kSourceHeight, kPhotoWidth,
                                             kPhotoHeight, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

template <int Bytes>
void BM_ResampleBilinear(benchmark::State& state) {
    if (!SameResult<Bytes>()) {
        state.SkipWithError("ResampleBilinear differs from the plain form");
        return;
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(kPhotoWidth) * kPhotoHeight * Bytes);
    for (auto _ : state) {
        ResampleBilinear<Bytes>(Source(Bytes).data(), kSourceWidth, kSourceHeight, kPhotoWidth, kPhotoHeight,
                                out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SetRate(state);
}

BENCHMARK_TEMPLATE(BM_ResampleTranscription, 3)
    ->Name("Resample640x480To5160x3870/transcription/3bytes")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ResampleBilinear, 3)
    ->Name("Resample640x480To5160x3870/ResampleBilinear/3bytes")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ResampleTranscription, 4)
    ->Name("Resample640x480To5160x3870/transcription/4bytes")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ResampleBilinear, 4)
    ->Name("Resample640x480To5160x3870/ResampleBilinear/4bytes")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
