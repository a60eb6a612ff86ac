// The camera draws one picture per frame on its streaming thread: at 30 fps the largest size has
// 33 ms per frame for drawing, copying and delivery.
#include "devices/testcam/CameraSizes.h"
#include "devices/testcam/TestPattern.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

void DrawFrame(benchmark::State& state) {
    const testcam::CameraSize size = testcam::kCameraSizes[state.range(0)];
    std::vector<uint8_t> pixels(size_t(size.width) * 3 * size.height);
    uint32_t frame = 0;
    for (auto _ : state) {
        testcam::DrawTestPattern(pixels.data(), size.width, size.height, size.width * 3, frame++,
                                 testcam::PatternClock{12, 34, 56, 789});
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetLabel(std::to_string(size.width) + "x" + std::to_string(size.height));
}
BENCHMARK(DrawFrame)->Arg(2)->Arg(4)->Arg(9)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
