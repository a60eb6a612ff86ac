// The photo resampler (640 x 480 -> 5160 x 3870, 3 bytes a pixel) beside FFmpeg's swscale.
extern "C" {
#include <libswscale/swscale.h>
}

#include <string>

#include "bench/anchors/Anchored.h"
#include "camera/libs/PelImaging/ResampleBilinear.h"
#include "tests/camera/photo/ResampleBilinearTranscription.h"
#include "tests/camera/photo/TestImages.h"

namespace {

constexpr int kSourceWidth = 640, kSourceHeight = 480;
constexpr int kPhotoWidth = 5160, kPhotoHeight = 3870;
constexpr std::size_t kPhotoBytes = static_cast<std::size_t>(kPhotoWidth) * kPhotoHeight * 3;

// A smooth picture: swscale samples half a pixel off the resampler's corner-aligned grid, so only
// on slow gradients do the two agree within a few levels.
const std::vector<std::uint8_t>& Source() {
    static const std::vector<std::uint8_t> picture = [] {
        std::vector<std::uint8_t> p(static_cast<std::size_t>(kSourceWidth) * kSourceHeight * 3);
        for (int y = 0; y < kSourceHeight; ++y)
            for (int x = 0; x < kSourceWidth; ++x)
                for (int c = 0; c < 3; ++c)
                    p[(static_cast<std::size_t>(y) * kSourceWidth + x) * 3 + c] =
                        static_cast<std::uint8_t>(x * (c + 1) / 16 + y / 8);
        return p;
    }();
    return picture;
}

std::vector<std::uint8_t>& Photo() {
    static std::vector<std::uint8_t> photo(kPhotoBytes);
    return photo;
}

void Resample(SimdLevel level) {
    ResampleBilinear<3>(Source().data(), kSourceWidth, kSourceHeight, kPhotoWidth, kPhotoHeight,
                        Photo().data(), level);
}

void Scale(SwsContext* context) {
    const std::uint8_t* in[1] = {Source().data()};
    const int inStride[1] = {kSourceWidth * 3};
    std::uint8_t* out[1] = {Photo().data()};
    const int outStride[1] = {kPhotoWidth * 3};
    sws_scale(context, in, inStride, 0, kSourceHeight, out, outStride);
}

SwsContext* Context(int flags) {
    return sws_getContext(kSourceWidth, kSourceHeight, AV_PIX_FMT_BGR24, kPhotoWidth, kPhotoHeight,
                          AV_PIX_FMT_BGR24, flags, nullptr, nullptr, nullptr);
}

// The resampler bit-exact with its plain form, and within `tolerance` of swscale (away from the
// edges, where the two grids clamp differently).
bool Checked(benchmark::State& state) {
    Resample(DetectedSimdLevel());
    const std::vector<std::uint8_t> ours = Photo();
    ResampleBilinearTranscription<3>(Source().data(), kSourceWidth, kSourceHeight, kPhotoWidth, kPhotoHeight,
                                     Photo().data());
    if (ours != Photo()) {
        state.SkipWithError("differs from the plain form");
        return false;
    }
    SwsContext* context = Context(SWS_BILINEAR);
    Scale(context);
    sws_freeContext(context);
    int worst = 0;
    for (int y = 16; y < kPhotoHeight - 16; ++y) {
        const std::size_t row = (static_cast<std::size_t>(y) * kPhotoWidth + 16) * 3;
        worst = std::max(worst, MaxDifference(&ours[row], &Photo()[row], (kPhotoWidth - 32) * 3));
    }
    state.counters["max_diff"] = worst;
    if (worst <= 3) return true;
    state.SkipWithError(("differs from swscale by " + std::to_string(worst)).c_str());
    return false;
}

void BM_Resample(benchmark::State& state) {
    if (!Checked(state)) return;
    for (auto _ : state) Resample(DetectedSimdLevel()), benchmark::ClobberMemory();
}
void BM_ResamplePlain(benchmark::State& state) {
    for (auto _ : state) {
        ResampleBilinearTranscription<3>(Source().data(), kSourceWidth, kSourceHeight, kPhotoWidth,
                                         kPhotoHeight, Photo().data());
        benchmark::ClobberMemory();
    }
}
void BM_Swscale(benchmark::State& state) {
    SwsContext* context = Context(static_cast<int>(state.range(0)));
    for (auto _ : state) Scale(context), benchmark::ClobberMemory();
    sws_freeContext(context);
}
void BM_PhotoMemcpy(benchmark::State& state) {
    RunMemcpy(state, kPhotoBytes);
}

BENCHMARK(BM_Resample)->Name("vs/PhotoResample5160x3870/project")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResamplePlain)->Name("vs/PhotoResample5160x3870/plain")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Swscale)
    ->Name("vs/PhotoResample5160x3870/swscale_fast_bilinear")
    ->Arg(SWS_FAST_BILINEAR)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Swscale)
    ->Name("vs/PhotoResample5160x3870/swscale_bilinear")
    ->Arg(SWS_BILINEAR)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PhotoMemcpy)->Name("vs/PhotoResample5160x3870/memcpy")->Unit(benchmark::kMillisecond);

}  // namespace
