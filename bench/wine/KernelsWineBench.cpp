// The kernels of the anchored host table timed under Wine on the Windows build: each fast path
// beside its plain path and a memcpy of its output (OpenCV and swscale have no build for the
// target, so the anchors stay on the host).
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/wine/WineBench.h"
#include "camera/libs/PelFilters/kernels/DigitalZoom.h"
#include "camera/libs/PelFilters/kernels/Flip.h"
#include "camera/libs/PelFilters/kernels/Mosaic.h"
#include "camera/libs/PelImaging/ResampleBilinear.h"
#include "monitor/libs/YsProcess/Zoom.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr std::size_t kFrameBytes = static_cast<std::size_t>(kWidth) * kHeight * 3;

std::vector<std::uint8_t> Noise(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::uint32_t state = 17;
    for (auto& b : bytes) b = static_cast<std::uint8_t>((state = state * 1664525u + 1013904223u) >> 24);
    return bytes;
}

// The build in each row's name: a machine that runs both Windows builds times both.
constexpr const char* kBuild = sizeof(void*) == 8 ? "@wine-x64/" : "@wine-i686/";

struct Table {
    const winebench::Options& options;
    std::vector<winebench::Result> results;
    void Add(const char* kernel, const char* who, const std::function<void()>& body) {
        results.push_back(
            winebench::Time(std::string("vs/") + kernel + kBuild + who, options.repetitions, body));
    }
    void Memcpy(const char* kernel, std::size_t bytes) {
        auto from = std::make_shared<std::vector<std::uint8_t>>(bytes, 1);
        auto to = std::make_shared<std::vector<std::uint8_t>>(bytes);
        Add(kernel, "memcpy", [from, to] { std::memcpy(to->data(), from->data(), from->size()); });
    }
};

}  // namespace

int main(int argc, char** argv) {
    const winebench::Options options = winebench::ParseOptions(argc, argv);
    Table table{options, {}};
    std::vector<std::uint8_t> frame = Noise(kFrameBytes);
    const pel::Rgb24Frame view{frame.data(), kWidth, kHeight, kWidth * 3, false};
    pel::DigitalZoom zoom, plainZoom;
    table.Add("DigitalZoom2x", "project", [&] { zoom.Apply(view, 2); });
    table.Add("DigitalZoom2x", "plain", [&] { plainZoom.Apply(view, 2, SimdLevel::Plain); });
    table.Memcpy("DigitalZoom2x", kFrameBytes);
    table.Add("Mosaic8", "project", [&] { pel::ApplyMosaic(view, 8); });
    table.Memcpy("Mosaic8", kFrameBytes);
    table.Add("Mirror", "project", [&] { pel::MirrorHorizontal(view); });
    table.Add("Mirror", "plain", [&] { pel::MirrorHorizontal(view, SimdLevel::Plain); });
    table.Memcpy("Mirror", kFrameBytes);
    table.Add("Flip", "project", [&] { pel::FlipVertical(view); });
    table.Memcpy("Flip", kFrameBytes);

    constexpr int kPhotoWidth = 5160, kPhotoHeight = 3870;
    const std::size_t photoBytes = static_cast<std::size_t>(kPhotoWidth) * kPhotoHeight * 3;
    std::vector<std::uint8_t> photo(photoBytes);
    table.Add("PhotoResample5160x3870", "project", [&] {
        ResampleBilinear<3>(frame.data(), kWidth, kHeight, kPhotoWidth, kPhotoHeight, photo.data());
    });
    table.Add("PhotoResample5160x3870", "ssse3", [&] {
        ResampleBilinear<3>(frame.data(), kWidth, kHeight, kPhotoWidth, kPhotoHeight, photo.data(),
                            SimdLevel::Ssse3);
    });
    table.Add("PhotoResample5160x3870", "plain", [&] {
        ResampleBilinear<3>(frame.data(), kWidth, kHeight, kPhotoWidth, kPhotoHeight, photo.data(),
                            SimdLevel::Plain);
    });
    table.Memcpy("PhotoResample5160x3870", photoBytes);

    constexpr int kCamWidth = 800, kCamHeight = 600;
    const std::vector<std::uint8_t> camera = Noise(static_cast<std::size_t>(kCamWidth) * kCamHeight * 3);
    std::vector<std::uint8_t> doubled(camera.size() * 4);
    table.Add("OrvelloZoom2x800x600", "project",
              [&] { ysp::Zoom2xBgr(camera.data(), doubled.data(), kCamWidth, kCamHeight); });
    table.Add("OrvelloZoom2x800x600", "plain", [&] {
        ysp::Zoom2xBgr(camera.data(), doubled.data(), kCamWidth, kCamHeight, SimdLevel::Plain);
    });
    table.Memcpy("OrvelloZoom2x800x600", doubled.size());
    winebench::Report("kernels_wine_bench", options, table.results);
    return 0;
}
