// The reversal and overlay filters' work on one 640 x 480 RGB24 frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "camera/libs/PelFilters/kernels/DigitalZoom.h"
#include "camera/libs/PelFilters/kernels/Flip.h"
#include "camera/libs/PelFilters/kernels/FrameOverlay.h"
#include "camera/libs/PelFilters/kernels/Mosaic.h"
#include "camera/libs/PelFilters/kernels/ReversalProcessor.h"
#include "camera/libs/PelFilters/kernels/TextOverlay.h"
#include "tests/camera/photo/TestImages.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

struct Frame {
    std::vector<std::uint8_t> bytes =
        NoiseBytes(static_cast<std::size_t>(pel::Rgb24Stride(kWidth)) * kHeight, 7);
    pel::Rgb24Frame View() {
        return pel::Rgb24Frame{bytes.data(), kWidth, kHeight, pel::Rgb24Stride(kWidth), false};
    }
};

// A photo frame as the shipped ones: a 40-pixel border, its inner 8 pixels fading, an open middle.
std::vector<std::uint8_t> BorderFrame(bool everywhereHalf) {
    std::vector<std::uint8_t> p = NoiseBytes(static_cast<std::size_t>(kWidth) * kHeight * 4, 9);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int edge = std::min(std::min(x, kWidth - 1 - x), std::min(y, kHeight - 1 - y));
            std::uint8_t alpha = edge < 32   ? 255
                                 : edge < 40 ? static_cast<std::uint8_t>(255 - (edge - 31) * 28)
                                             : 0;
            if (everywhereHalf) alpha = 128;
            p[(static_cast<std::size_t>(y) * kWidth + x) * 4 + 3] = alpha;
        }
    return p;
}

void FrameRate(benchmark::State& state) {
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_FlipVertical(benchmark::State& state) {
    Frame f;
    for (auto _ : state) pel::FlipVertical(f.View()), benchmark::ClobberMemory();
    FrameRate(state);
}

void BM_MirrorHorizontal(benchmark::State& state) {
    Frame f;
    for (auto _ : state) pel::MirrorHorizontal(f.View()), benchmark::ClobberMemory();
    FrameRate(state);
}

void BM_Mosaic(benchmark::State& state) {
    Frame f;
    for (auto _ : state)
        pel::ApplyMosaic(f.View(), static_cast<int>(state.range(0))), benchmark::ClobberMemory();
    FrameRate(state);
}

void BM_DigitalZoom(benchmark::State& state) {
    Frame f;
    pel::DigitalZoom zoom;
    for (auto _ : state) zoom.Apply(f.View(), static_cast<int>(state.range(0))), benchmark::ClobberMemory();
    FrameRate(state);
}

void BM_ReversalAllOn(benchmark::State& state) {
    Frame f;
    pel::ReversalProcessor processor;
    pel::ReversalSettings settings;
    settings.vertical = settings.horizontal = true;
    settings.mosaicWidth = 8;
    settings.zoom = 2;
    for (auto _ : state) processor.Process(f.View(), settings), benchmark::ClobberMemory();
    FrameRate(state);
}

void BM_FrameOverlay(benchmark::State& state) {
    Frame f;
    pel::FrameOverlay overlay;
    const std::vector<std::uint8_t> image = BorderFrame(state.range(0) != 0);
    overlay.SetFrame(image.data(), kWidth, kHeight);
    for (auto _ : state) overlay.Apply(f.View()), benchmark::ClobberMemory();
    FrameRate(state);
}

void BM_TextOverlay(benchmark::State& state) {
    Frame f;
    pel::TextOverlay text;
    const int w = 600, h = 64;  // a long line of large text
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < mask.size(); ++i) mask[i] = (i * 7 % 5) < 2 ? 1 : 0;
    text.SetText(mask.data(), w, h, 0x0000FFFF);
    for (auto _ : state) text.Apply(f.View()), benchmark::ClobberMemory();
    FrameRate(state);
}

BENCHMARK(BM_FlipVertical)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MirrorHorizontal)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Mosaic)->Arg(2)->Arg(8)->Arg(24)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DigitalZoom)->Arg(2)->Arg(4)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReversalAllOn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameOverlay)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);  // 1 = half opaque everywhere
BENCHMARK(BM_TextOverlay)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
