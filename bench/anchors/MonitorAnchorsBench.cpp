// Orvello's per-tick and per-still work beside the libraries a user would pick instead: the 2x
// zoom (800 x 600) against OpenCV's nearest resize, the motion mask (640 x 480) against OpenCV's
// grey / absdiff / threshold / connected components, the q100 still against libjpeg-turbo called
// directly on the same rows.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <jpeglib.h>
#include <string>

#include "bench/anchors/Anchored.h"
#include "monitor/imaging/JpegDibWriter.h"
#include "monitor/libs/YsDetector/MovDetector.h"
#include "monitor/libs/YsProcess/Zoom.h"

namespace {

// ---- 2x zoom, 800 x 600 -> 1600 x 1200, exact.
constexpr int kCamWidth = 800, kCamHeight = 600;
constexpr std::size_t kZoomBytes = static_cast<std::size_t>(kCamWidth) * kCamHeight * 12;

std::vector<std::uint8_t> Camera() {
    std::vector<std::uint8_t> c(static_cast<std::size_t>(kCamWidth) * kCamHeight * 3);
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = static_cast<std::uint8_t>(i * 7 + i / 1000);
    return c;
}

void CvZoom(std::vector<std::uint8_t>& camera, std::vector<std::uint8_t>& out) {
    cv::Mat in(kCamHeight, kCamWidth, CV_8UC3, camera.data());
    cv::Mat to(kCamHeight * 2, kCamWidth * 2, CV_8UC3, out.data());
    cv::resize(in, to, to.size(), 0, 0, cv::INTER_NEAREST);
}

void BM_Zoom2x(benchmark::State& state) {
    std::vector<std::uint8_t> camera = Camera(), ours(kZoomBytes), theirs(kZoomBytes);
    ysp::Zoom2xBgr(camera.data(), ours.data(), kCamWidth, kCamHeight);
    CvZoom(camera, theirs);
    if (ours != theirs) return state.SkipWithError("differs from cv::resize nearest");
    for (auto _ : state)
        ysp::Zoom2xBgr(camera.data(), ours.data(), kCamWidth, kCamHeight), benchmark::ClobberMemory();
}
void BM_Zoom2xCv(benchmark::State& state) {
    std::vector<std::uint8_t> camera = Camera(), out(kZoomBytes);
    for (auto _ : state) CvZoom(camera, out), benchmark::ClobberMemory();
}
void BM_Zoom2xMemcpy(benchmark::State& state) {
    RunMemcpy(state, kZoomBytes);
}
BENCHMARK(BM_Zoom2x)->Name("vs/OrvelloZoom2x800x600/project")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Zoom2xCv)->Name("vs/OrvelloZoom2x800x600/cv_resize_nearest")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Zoom2xMemcpy)->Name("vs/OrvelloZoom2x800x600/memcpy")->Unit(benchmark::kMicrosecond);

// ---- Motion mask, 640 x 480: a textured scene with a dark square moving across it.
constexpr int kWidth = 640, kHeight = 480;

std::vector<std::vector<std::uint8_t>> Scenes() {
    std::vector<std::vector<std::uint8_t>> frames;
    std::uint32_t seed = 5;
    for (int i = 0; i < 8; ++i) {
        std::vector<std::uint8_t> f(static_cast<std::size_t>(kWidth) * kHeight * 3);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                int v = 80 + (x * 5 + y * 3) % 90;
                if (x >= 100 + 20 * i && x < 180 + 20 * i && y >= 200 && y < 280) v = 25;
                for (int c = 0; c < 3; ++c) {
                    seed = seed * 1664525u + 1013904223u;
                    f[(static_cast<std::size_t>(y) * kWidth + x) * 3 + c] =
                        static_cast<std::uint8_t>(v + static_cast<int>(seed >> 29) - 4);
                }
            }
        frames.push_back(std::move(f));
    }
    return frames;
}

// grey, difference from the previous grey, threshold, 8-connected components with their boxes.
struct CvMotion {
    cv::Mat grey[2], difference, mask, labels, stats, centroids;
    int current = 0;
    int Run(std::vector<std::uint8_t>& frame) {
        cv::cvtColor(cv::Mat(kHeight, kWidth, CV_8UC3, frame.data()), grey[current], cv::COLOR_BGR2GRAY);
        if (grey[1 - current].empty()) grey[current].copyTo(grey[1 - current]);
        cv::absdiff(grey[current], grey[1 - current], difference);
        cv::threshold(difference, mask, 30, 255, cv::THRESH_BINARY);
        current = 1 - current;
        return cv::connectedComponentsWithStats(mask, labels, stats, centroids, 8, CV_32S);
    }
};

void BM_Motion(benchmark::State& state) {
    auto frames = Scenes();
    CMovDetector detector;
    detector.Init(kWidth, kHeight);
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(kWidth) * kHeight);
    // Both must see the square move before their speeds mean anything.
    CvMotion cv;
    int cvComponents = 0;
    for (int i = 0; i < 2; ++i) {
        detector.GenerateMask(frames[static_cast<std::size_t>(i)].data(), mask.data(), 30);
        cvComponents = cv.Run(frames[static_cast<std::size_t>(i)]);
    }
    if (detector.m_nLastBox < 0 || cvComponents < 2) return state.SkipWithError("no motion found");
    std::size_t i = 0;
    for (auto _ : state) {
        detector.GenerateMask(frames[i++ % frames.size()].data(), mask.data(), 30);
        benchmark::ClobberMemory();
    }
}
void BM_MotionCv(benchmark::State& state) {
    auto frames = Scenes();
    CvMotion cv;
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(cv.Run(frames[i++ % frames.size()]));
}
BENCHMARK(BM_Motion)->Name("vs/MotionMask640x480/project")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MotionCv)
    ->Name("vs/MotionMask640x480/cv_grey_absdiff_threshold_components")
    ->Unit(benchmark::kMicrosecond);

// ---- JPEG q100 still, 640 x 480, from a bottom-up BGR DIB to a file.
struct Dib {
    std::vector<std::uint8_t> bytes;
    Dib() : bytes(40 + static_cast<std::size_t>(kWidth) * kHeight * 3) {
        const std::int32_t header[10] = {40, kWidth, kHeight, 1 | (24 << 16), 0, 0, 0, 0, 0, 0};
        std::memcpy(bytes.data(), header, 40);
        for (std::size_t i = 40; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>((i * 3) ^ (i >> 9));
    }
};

// libjpeg-turbo as a user calls it: BGR rows straight from the DIB, bottom row last.
void LibjpegWrite(const Dib& dib, const char* path) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    std::FILE* file = std::fopen(path, "wb");
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const std::uint8_t* pixels = dib.bytes.data() + 40;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(
            pixels + static_cast<std::size_t>(kHeight - 1 - cinfo.next_scanline) * kWidth * 3);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

std::vector<std::uint8_t> ReadFile(const char* path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* f = std::fopen(path, "rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

const char* const kOurs = "/tmp/anchors_bench_ours.jpg";
const char* const kTheirs = "/tmp/anchors_bench_libjpeg.jpg";

void BM_Jpeg(benchmark::State& state) {
    const Dib dib;
    std::string error;
    jpegdib::WriteJpeg(dib.bytes.data(), 100, kOurs, &error);
    LibjpegWrite(dib, kTheirs);
    if (!error.empty() || ReadFile(kOurs) != ReadFile(kTheirs)) return state.SkipWithError("files differ");
    for (auto _ : state) jpegdib::WriteJpeg(dib.bytes.data(), 100, kOurs, &error);
    std::remove(kOurs);
}
void BM_JpegLibjpeg(benchmark::State& state) {
    const Dib dib;
    for (auto _ : state) LibjpegWrite(dib, kTheirs);
    std::remove(kTheirs);
}
BENCHMARK(BM_Jpeg)->Name("vs/JpegQ100To640x480File/project")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_JpegLibjpeg)
    ->Name("vs/JpegQ100To640x480File/libjpeg_turbo_direct")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
