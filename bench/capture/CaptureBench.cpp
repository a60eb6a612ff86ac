// Per-frame costs on the camera's streaming thread and the window thread.
#include "media/avi/AviWriter.h"
#include "monitor/libs/YsCapture/core/FrameConvert.h"
#include "monitor/libs/YsCapture/core/FrameSlot.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

using namespace avi;
using namespace yscap;

// A camera sample of the asked size to the frame layout (row copy, top-down source flipped).
static void BM_ConvertSameSize800x600(benchmark::State& state) {
    std::vector<uint8_t> src(DibStride24(800) * 600, 77), dst(800 * 600 * 3);
    for (auto _ : state) {
        ConvertToFrame({src.data(), src.size(), 800, 600, true}, dst.data(), 800, 600);
        benchmark::DoNotOptimize(dst.data());
    }
}
BENCHMARK(BM_ConvertSameSize800x600);

// A camera that lacks the size: 1024x768 scaled to 800x600.
static void BM_ConvertScaled1024to800(benchmark::State& state) {
    std::vector<uint8_t> src(DibStride24(1024) * 768, 77), dst(800 * 600 * 3);
    for (auto _ : state) {
        ConvertToFrame({src.data(), src.size(), 1024, 768, false}, dst.data(), 800, 600);
        benchmark::DoNotOptimize(dst.data());
    }
}
BENCHMARK(BM_ConvertScaled1024to800);

// Publish on one side, take on the other: the hand-over itself, no copies.
static void BM_FrameSlotHandOver(benchmark::State& state) {
    FrameSlot slot;
    slot.Reset(800 * 600 * 3);
    for (auto _ : state) {
        slot.Publish();
        benchmark::DoNotOptimize(slot.TakeNewest());
    }
}
BENCHMARK(BM_FrameSlotHandOver);

// One full 640x480 frame into an AVI file (page cache speed).
static void BM_AviWriteFrame640x480(benchmark::State& state) {
    const std::string path = "/tmp/yscapture_bench.avi";
    AviVideoFormat v;
    v.width = 640;
    v.height = 480;
    v.handler = MakeFourCc('D', 'I', 'B', ' ');
    v.strf.assign(40, 0);
    v.strf[0] = 40;
    AviWriter writer;
    writer.Open(path, v, nullptr);
    std::vector<uint8_t> frame(640 * 480 * 3, 5);
    for (auto _ : state) {
        if (!writer.WriteVideo(frame.data(), uint32_t(frame.size()), true)) {
            writer.Close();
            writer.Open(path, v, nullptr);
        }
    }
    writer.Close();
    std::remove(path.c_str());
}
BENCHMARK(BM_AviWriteFrame640x480);

BENCHMARK_MAIN();
