// BMP still to JPEG at quality 100, as the snapshot flow converts it, at 640 x 480 and 1600 x 1200.
//
// On Windows the BMP is loaded with LoadImage and read back as a DIB through GDI; the host has no
// GDI, so the file's packed DIB (everything after its 14-byte file header) stands in for that step.
// BM_BmpToJpegOwnWork is the writer's own work (the DIB to RGB rows); the rest of BM_BmpToJpeg is libjpeg.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "monitor/imaging/DibRows.h"
#include "monitor/imaging/JpegDibWriter.h"
#include "monitor/libs/YsProcess/BmpFile.h"

namespace {

std::string BmpFile(int width, int height) {
    const std::string path = "/tmp/orvello_bench_" + std::to_string(width) + ".bmp";
    std::vector<uint8_t> frame(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &frame[(static_cast<size_t>(y) * width + x) * 3];
            p[0] = static_cast<uint8_t>(x + y);
            p[1] = static_cast<uint8_t>((x * 3) ^ y);
            p[2] = static_cast<uint8_t>(y * 2 + (x % 17) * 5);
        }
    ysp::WriteBmp24File(path.c_str(), frame.data(), width, height);
    return path;
}

// The packed DIB of a BMP file: the file without its 14-byte file header, read into a fresh block
// (as the program gets a fresh one from GDI for every conversion), not zero-filled first.
struct Dib {
    std::unique_ptr<uint8_t[]> bytes;
    size_t size = 0;
};
Dib LoadDib(const std::string& path) {
    Dib dib;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return dib;
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, 14, SEEK_SET);
    if (size > 14) {
        dib.size = static_cast<size_t>(size - 14);
        dib.bytes.reset(new uint8_t[dib.size]);
        if (std::fread(dib.bytes.get(), 1, dib.size, file) != dib.size) dib = Dib{};
    }
    std::fclose(file);
    return dib;
}

void BM_BmpToJpeg(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const std::string bmp = BmpFile(width, height);
    const std::string jpeg = "/tmp/orvello_bench_" + std::to_string(width) + ".jpg";
    std::string error;
    for (auto _ : state) {
        const Dib dib = LoadDib(bmp);
        jpegdib::WriteJpeg(dib.bytes.get(), 100, jpeg.c_str(), &error);
    }
    if (!error.empty()) state.SkipWithError(error.c_str());
    state.counters["Mpx/s"] = benchmark::Counter(static_cast<double>(width) * height * 1e-6,
                                                 benchmark::Counter::kIsIterationInvariantRate);
    std::remove(bmp.c_str());
    std::remove(jpeg.c_str());
}
BENCHMARK(BM_BmpToJpeg)->Args({640, 480})->Args({1600, 1200})->Unit(benchmark::kMillisecond);

// The writer's own share: reading the DIB and turning it into RGB rows (everything but libjpeg).
void BM_BmpToJpegOwnWork(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const std::string bmp = BmpFile(width, height);
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    std::vector<uint8_t*> rows;
    for (int y = 0; y < height; ++y) rows.push_back(rgb.data() + static_cast<size_t>(y) * width * 3);
    for (auto _ : state) {
        const Dib dib = LoadDib(bmp);
        jpegdib::DibToRgbRows(dib.bytes.get(), width * 3, rows.data(), nullptr);
        benchmark::ClobberMemory();
    }
    std::remove(bmp.c_str());
}
BENCHMARK(BM_BmpToJpegOwnWork)->Args({640, 480})->Args({1600, 1200})->Unit(benchmark::kMillisecond);

// The row conversion alone, the DIB already in memory.
void BM_DibToRgbRows(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const std::string bmp = BmpFile(width, height);
    const Dib dib = LoadDib(bmp);
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    std::vector<uint8_t*> rows;
    for (int y = 0; y < height; ++y) rows.push_back(rgb.data() + static_cast<size_t>(y) * width * 3);
    for (auto _ : state) {
        jpegdib::DibToRgbRows(dib.bytes.get(), width * 3, rows.data(), nullptr);
        benchmark::ClobberMemory();
    }
    std::remove(bmp.c_str());
}
BENCHMARK(BM_DibToRgbRows)->Args({640, 480})->Args({1600, 1200})->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
