// PelCamera's per-frame kernels on one 640 x 480 RGB24 frame beside OpenCV doing the same work.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <string>

#include "bench/anchors/Anchored.h"
#include "camera/libs/PelFilters/kernels/DigitalZoom.h"
#include "camera/libs/PelFilters/kernels/Flip.h"
#include "camera/libs/PelFilters/kernels/Mosaic.h"
#include "tests/camera/photo/TestImages.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr std::size_t kFrameBytes = static_cast<std::size_t>(kWidth) * kHeight * 3;

// Noise for the exact checks; a smooth picture where the libraries round differently, so that a
// pixel taken from the wrong place shows as a large difference.
std::vector<std::uint8_t> Picture(bool smooth) {
    if (!smooth) return NoiseBytes(kFrameBytes, 11);
    std::vector<std::uint8_t> p(kFrameBytes);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                p[(static_cast<std::size_t>(y) * kWidth + x) * 3 + c] =
                    static_cast<std::uint8_t>((x * (c + 1) / 3 + y * (3 - c) / 2 + (x * y) / 997) & 255);
    return p;
}

pel::Rgb24Frame View(std::vector<std::uint8_t>& bytes) {
    return pel::Rgb24Frame{bytes.data(), kWidth, kHeight, kWidth * 3, true};
}

cv::Mat Wrap(std::vector<std::uint8_t>& bytes) {
    return cv::Mat(kHeight, kWidth, CV_8UC3, bytes.data());
}

// Checks the kernel's output against the anchor's on `picture`, skipping the row on a difference
// above `tolerance` (counting only pixels at least `margin` from the edge).
template <class Kernel, class Anchor>
bool Agree(benchmark::State& state, bool smooth, int tolerance, int margin, Kernel kernel, Anchor anchor) {
    std::vector<std::uint8_t> ours = Picture(smooth), source = Picture(smooth), theirs(kFrameBytes);
    kernel(ours);
    cv::Mat out = Wrap(theirs);
    anchor(Wrap(source), out);
    int worst = 0;
    for (int y = margin; y < kHeight - margin; ++y) {
        const std::size_t row = (static_cast<std::size_t>(y) * kWidth + margin) * 3;
        worst = std::max(worst, MaxDifference(&ours[row], &theirs[row], (kWidth - 2 * margin) * 3));
    }
    state.counters["max_diff"] = worst;
    if (worst <= tolerance) return true;
    state.SkipWithError(("differs from the anchor by " + std::to_string(worst)).c_str());
    return false;
}

template <class Kernel>
void RunKernel(benchmark::State& state, Kernel kernel) {
    std::vector<std::uint8_t> frame = Picture(false);
    for (auto _ : state) {
        kernel(frame);
        benchmark::ClobberMemory();
    }
}

template <class Anchor>
void RunAnchor(benchmark::State& state, Anchor anchor) {
    std::vector<std::uint8_t> source = Picture(false), target(kFrameBytes);
    cv::Mat in = Wrap(source), out = Wrap(target);
    for (auto _ : state) {
        anchor(in, out);
        benchmark::ClobberMemory();
    }
}

// Digital zoom 2x: the middle half enlarged, pixel centre onto pixel centre, as cv::resize maps it.
void Zoom2x(std::vector<std::uint8_t>& f) {
    static pel::DigitalZoom zoom;
    zoom.Apply(View(f), 2);
}
void ZoomPlain(std::vector<std::uint8_t>& f) {
    static pel::DigitalZoom zoom;
    zoom.Apply(View(f), 2, SimdLevel::Plain);
}
void CvZoom2x(const cv::Mat& in, cv::Mat& out) {
    cv::resize(in(cv::Rect(kWidth / 4, kHeight / 4, kWidth / 2, kHeight / 2)), out, out.size(), 0, 0,
               cv::INTER_LINEAR);
}

void BM_Zoom(benchmark::State& state) {
    if (Agree(state, true, 2, 1, Zoom2x, CvZoom2x)) RunKernel(state, Zoom2x);
}
void BM_ZoomPlain(benchmark::State& state) {
    RunKernel(state, ZoomPlain);
}
void BM_ZoomCv(benchmark::State& state) {
    RunAnchor(state, CvZoom2x);
}
BENCHMARK(BM_Zoom)->Name("vs/DigitalZoom2x/project");
BENCHMARK(BM_ZoomPlain)->Name("vs/DigitalZoom2x/plain");
BENCHMARK(BM_ZoomCv)->Name("vs/DigitalZoom2x/cv_resize_linear");

// Mosaic of 8-pixel squares: OpenCV's area shrink to one pixel a square, then nearest back.
void Mosaic8(std::vector<std::uint8_t>& f) {
    pel::ApplyMosaic(View(f), 8);
}
void CvMosaic8(const cv::Mat& in, cv::Mat& out) {
    static cv::Mat small(kHeight / 8, kWidth / 8, CV_8UC3);
    cv::resize(in, small, small.size(), 0, 0, cv::INTER_AREA);
    cv::resize(small, out, out.size(), 0, 0, cv::INTER_NEAREST);
}
void BM_Mosaic(benchmark::State& state) {
    if (Agree(state, false, 1, 0, Mosaic8, CvMosaic8)) RunKernel(state, Mosaic8);
}
void BM_MosaicCv(benchmark::State& state) {
    RunAnchor(state, CvMosaic8);
}
BENCHMARK(BM_Mosaic)->Name("vs/Mosaic8/project");
BENCHMARK(BM_MosaicCv)->Name("vs/Mosaic8/cv_area_nearest");

// Mirror (left for right) and flip (top for bottom), exact.
void Mirror(std::vector<std::uint8_t>& f) {
    pel::MirrorHorizontal(View(f));
}
void CvMirror(const cv::Mat& in, cv::Mat& out) {
    cv::flip(in, out, 1);
}
void Flip(std::vector<std::uint8_t>& f) {
    pel::FlipVertical(View(f));
}
void CvFlip(const cv::Mat& in, cv::Mat& out) {
    cv::flip(in, out, 0);
}
void BM_Mirror(benchmark::State& state) {
    if (Agree(state, false, 0, 0, Mirror, CvMirror)) RunKernel(state, Mirror);
}
void BM_MirrorCv(benchmark::State& state) {
    RunAnchor(state, CvMirror);
}
void BM_Flip(benchmark::State& state) {
    if (Agree(state, false, 0, 0, Flip, CvFlip)) RunKernel(state, Flip);
}
void BM_FlipCv(benchmark::State& state) {
    RunAnchor(state, CvFlip);
}
void BM_FrameMemcpy(benchmark::State& state) {
    RunMemcpy(state, kFrameBytes);
}
BENCHMARK(BM_Mirror)->Name("vs/Mirror/project");
BENCHMARK(BM_MirrorCv)->Name("vs/Mirror/cv_flip");
BENCHMARK(BM_FrameMemcpy)->Name("vs/Mirror/memcpy");
BENCHMARK(BM_Flip)->Name("vs/Flip/project");
BENCHMARK(BM_FlipCv)->Name("vs/Flip/cv_flip");
BENCHMARK(BM_FrameMemcpy)->Name("vs/Flip/memcpy");
BENCHMARK(BM_FrameMemcpy)->Name("vs/DigitalZoom2x/memcpy");
BENCHMARK(BM_FrameMemcpy)->Name("vs/Mosaic8/memcpy");

}  // namespace
