// GenerateMask at 640 x 480 beside the straightforward reference of the detector tests.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "monitor/libs/YsDetector/MovDetector.h"
#include "tests/monitor/detector/ReferenceDetector.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// Eight frames of a textured scene with sensor noise and a square crossing it, cycled.
std::vector<std::vector<uint8_t>> Frames() {
    std::mt19937 rng(5);
    std::normal_distribution<double> noise(0.0, 3.0);
    std::vector<std::vector<uint8_t>> frames;
    for (int i = 0; i < 8; ++i) {
        std::vector<uint8_t> f(static_cast<size_t>(kWidth) * kHeight * 3);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                int v = 80 + (x * 5 + y * 3) % 90;
                if (x >= 100 + 20 * i && x < 180 + 20 * i && y >= 200 && y < 280) v = 25;
                for (int c = 0; c < 3; ++c)
                    f[(static_cast<size_t>(y) * kWidth + x) * 3 + c] =
                        static_cast<uint8_t>(std::clamp(v + static_cast<int>(noise(rng)), 0, 255));
            }
        }
        frames.push_back(std::move(f));
    }
    return frames;
}

void BM_GenerateMask640(benchmark::State& state) {
    const auto frames = Frames();
    CMovDetector detector;
    detector.Init(kWidth, kHeight);
    std::vector<uint8_t> mask(static_cast<size_t>(kWidth) * kHeight);
    size_t i = 0;
    for (auto _ : state) {
        detector.GenerateMask(frames[i++ % frames.size()].data(), mask.data(), 30);
        benchmark::DoNotOptimize(detector.m_nLastBox);
        benchmark::ClobberMemory();
    }
    state.counters["target_us"] = 1000;
    state.counters["boxes"] = detector.m_nLastBox + 1;
}
BENCHMARK(BM_GenerateMask640)->Unit(benchmark::kMicrosecond);

void BM_GenerateMask640_Reference(benchmark::State& state) {
    const auto frames = Frames();
    refdet::ReferenceDetector detector(kWidth, kHeight);
    std::vector<uint8_t> mask(static_cast<size_t>(kWidth) * kHeight);
    size_t i = 0;
    for (auto _ : state) {
        detector.Generate(frames[i++ % frames.size()].data(), mask.data(), 30);
        benchmark::DoNotOptimize(detector.boxes.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GenerateMask640_Reference)->Unit(benchmark::kMicrosecond);

void BM_ScanResize640(benchmark::State& state) {
    const auto frames = Frames();
    CMovDetector detector;
    detector.Init(kWidth, kHeight);
    std::vector<uint8_t> out(frames[0].size());
    for (auto _ : state) {
        detector.Resize(frames[0].data(), out.data(), 50, 160, 120);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScanResize640)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
