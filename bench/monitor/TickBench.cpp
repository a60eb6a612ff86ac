// One tick's pixel work at 800 x 600 zoomed to 1600 x 1200 with the timer-shot countdown (camera
// icon and text) and the clock stamped, the draw excluded.
//
// On Windows the stamp font comes from GDI, rendered once into a glyph atlas. The host has no GDI,
// so this benchmark fills the atlas with a synthetic font of the same cell size (9 x 18 pixels,
// about half the cells covered); the stamping work after the atlas is the same code.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "monitor/libs/YsProcess/TextStamp.h"
#include "monitor/libs/YsProcess/Zoom.h"

namespace {

constexpr int kCamWidth = 800;
constexpr int kCamHeight = 600;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;

ysp::GlyphAtlas SyntheticFont() {
    ysp::GlyphAtlas atlas(18);
    std::vector<uint8_t> coverage(9 * 18);
    for (int c = 32; c < 127; ++c) {
        for (int i = 0; i < 9 * 18; ++i)
            coverage[i] = static_cast<uint8_t>(((i * 37 + c) % 5) < 2 ? 255 : (i % 3) * 60);
        atlas.SetGlyph(static_cast<char>(c), 9, coverage.data());
    }
    return atlas;
}

// The countdown's camera icon: 38 x 26 BGR copied opaque, icon row j to buffer row H - 62 + j.
void CopyIcon(uint8_t* frame, const uint8_t* icon) {
    for (int j = 0; j < 26; ++j) {
        std::memcpy(frame + (static_cast<size_t>(kHeight - 62 + j) * kWidth + 16) * 3, icon + j * 114, 114);
    }
}

struct Tick {
    std::vector<uint8_t> camera = std::vector<uint8_t>(static_cast<size_t>(kCamWidth) * kCamHeight * 3);
    std::vector<uint8_t> zoom = std::vector<uint8_t>(static_cast<size_t>(kWidth) * kHeight * 3);
    std::vector<uint8_t> icon = std::vector<uint8_t>(38 * 26 * 3, 200);
    ysp::GlyphAtlas atlas = SyntheticFont();
    ysp::TextStamp clock;
    ysp::TextStamp countdown;
    Tick() {
        for (size_t i = 0; i < camera.size(); ++i) camera[i] = static_cast<uint8_t>(i * 7);
    }
    void Run(bool recompose, int second) {
        ysp::Zoom2xBgr(camera.data(), zoom.data(), kCamWidth, kCamHeight);
        if (recompose) {  // a new second: both texts change
            char text[32];
            std::snprintf(text, sizeof text, "%02d;%02d", second / 60, second % 60);
            countdown.Compose(atlas, text);
            std::snprintf(text, sizeof text, "2026:12:07<22;%02d;%02d", second / 60 % 60, second % 60);
            clock.Compose(atlas, text);
        }
        CopyIcon(zoom.data(), icon.data());
        ysp::BlendStamp(zoom.data(), kWidth, kHeight, countdown, 59, kHeight - 42);
        ysp::BlendStamp(zoom.data(), kWidth, kHeight, clock, 16, kHeight - 16);
    }
};

// Most ticks: the texts are the same as the last tick's, so only blending is left.
void BM_TickZoomStamp1600(benchmark::State& state) {
    Tick tick;
    tick.Run(true, 0);
    for (auto _ : state) {
        tick.Run(false, 0);
        benchmark::ClobberMemory();
    }
    state.counters["target_us"] = 2000;
}
BENCHMARK(BM_TickZoomStamp1600)->Unit(benchmark::kMicrosecond);

// The tick at which the second changes: both texts composed again.
void BM_TickZoomStampNewSecond1600(benchmark::State& state) {
    Tick tick;
    int second = 0;
    for (auto _ : state) {
        tick.Run(true, ++second);
        benchmark::ClobberMemory();
    }
    state.counters["target_us"] = 2000;
}
BENCHMARK(BM_TickZoomStampNewSecond1600)->Unit(benchmark::kMicrosecond);

void BM_Zoom800To1600(benchmark::State& state) {
    Tick tick;
    for (auto _ : state) {
        ysp::Zoom2xBgr(tick.camera.data(), tick.zoom.data(), kCamWidth, kCamHeight);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 3);
}
BENCHMARK(BM_Zoom800To1600)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
