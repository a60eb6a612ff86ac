// The per-picture work of "Pel Overlay" and "Pel Reversal" on a 640 x 480 RGB24 frame, in the
// order their Transform does it (the filters themselves need COM: their own timing runs under
// Wine in PelFiltersWineBench). Target: well under 1 ms a picture.
#include <benchmark/benchmark.h>

#include "bench/camera/PelFilterWorkload.h"
#include "camera/libs/PelFilters/kernels/FrameOverlay.h"
#include "camera/libs/PelFilters/kernels/TextOverlay.h"

namespace {

using namespace pelbench;

void Report(benchmark::State& state) {
    state.counters["target_us"] = 1000;
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Photo frame, then text (either may be off: range 0 = frame only, 1 = text only, 2 = both).
void BM_OverlayTransform(benchmark::State& state) {
    std::vector<std::uint8_t> video = VideoBytes();
    const pel::Rgb24Frame frame{video.data(), kWidth, kHeight, pel::Rgb24Stride(kWidth), false};
    const std::vector<std::uint8_t> bitmap = PhotoFrame();
    const std::vector<std::uint8_t> mask = TextMask();
    pel::FrameOverlay photoFrame;
    pel::TextOverlay text;
    if (state.range(0) != 1) photoFrame.SetFrame(bitmap.data(), kWidth, kHeight);
    if (state.range(0) != 0) text.SetText(mask.data(), kTextWidth, kTextHeight, 0x0000FFFF);
    photoFrame.PrepareFor(kWidth, kHeight);
    for (auto _ : state) {
        if (photoFrame.HasFrame()) photoFrame.Apply(frame);
        if (text.HasText()) text.Apply(frame);
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_ReversalTransform(benchmark::State& state) {
    std::vector<std::uint8_t> video = VideoBytes();
    const pel::Rgb24Frame frame{video.data(), kWidth, kHeight, pel::Rgb24Stride(kWidth), false};
    const pel::ReversalSettings settings = ReversalCase(static_cast<int>(state.range(0)));
    state.SetLabel(ReversalCaseName(static_cast<int>(state.range(0))));
    pel::ReversalProcessor processor;
    for (auto _ : state) {
        processor.Process(frame, settings);
        benchmark::ClobberMemory();
    }
    Report(state);
}

// Taking a new 640 x 480 photo frame: copy, opacity and the premultiplied planes (window thread).
void BM_OverlaySetFrame(benchmark::State& state) {
    const std::vector<std::uint8_t> bitmap = PhotoFrame();
    for (auto _ : state) {
        pel::FrameOverlay photoFrame;
        photoFrame.SetFrame(bitmap.data(), kWidth, kHeight);
        photoFrame.PrepareFor(kWidth, kHeight);
        benchmark::DoNotOptimize(photoFrame);
    }
}

BENCHMARK(BM_OverlayTransform)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReversalTransform)->DenseRange(0, kReversalCases - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OverlaySetFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
