// The CPU each program takes while it previews the test camera's 640 x 480 at 30 frames a second,
// read from outside over a fixed time (the host kernel's count for the program's Wine process), with
// the per-frame work off and on. The test camera's pattern generation runs inside the program, so
// its share is measured alone (the camera into a null renderer, in this process) and taken off.
// Not counted anywhere: the wine server's and the X server's work for the program.
// Each plain preview is also set beside the platform's own path for the same picture, run in this
// process with none of our code in it (the DirectShow preview; DrawDib every 50 ms): what is left
// above that path is the program's own code and its message loop.
// Each figure is given as the mean over the whole time and as the median of its 5-s windows: on
// our test machines the same work (the same calls and context switches per window) is at times
// charged two or three times its usual CPU for tens of seconds. The median leaves such a spell out
// while it covers less than half the time; the target is judged on the median.
//   program_cpu_wine_bench [--seconds=60]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/programs/HostCpuTime.h"
#include "bench/programs/PlatformPaths.h"
#include "devices/common/TestcamIds.h"
#include "tests/devices/support/CaptureProbe.h"
#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/WindowFinder.h"
#include "tests/reliability/Sessions.h"

namespace {

using programbench::HostCpuSecondsOf;
using programbench::HostCpuSecondsOfSelf;

constexpr DWORD kSettleMs = 5000;             // start-up work (DLLs, first frames) left out
constexpr double kPlainOwnTargetPercent = 2;  // the program's own share in the plain preview
constexpr int kOrvelloSize640 = 1002, kOrvelloSize1280Zoomed = 1004, kOrvelloClock = 1008;

constexpr int kWindowSeconds = 5;

double SecondsNow() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Percent of one core over a time, as its mean and as the median of its windows; negative when
// the CPU time could not be read.
struct CpuFigure {
    double mean = -1;
    double median = -1;
};

CpuFigure CpuPercent(const std::function<double()>& cpuSeconds, int seconds) {
    e2e::Pause(kSettleMs);
    const int windows = std::max(1, seconds / kWindowSeconds);
    const DWORD windowMs = static_cast<DWORD>(seconds) * 1000 / static_cast<DWORD>(windows);
    std::vector<double> percents;
    double cpu = cpuSeconds(), wall = SecondsNow();
    const double cpuStart = cpu, wallStart = wall;
    for (int i = 0; i < windows; ++i) {
        Sleep(windowMs);
        const double cpuNow = cpuSeconds(), wallNow = SecondsNow();
        if (cpu < 0 || cpuNow < 0) return {};
        percents.push_back((cpuNow - cpu) / (wallNow - wall) * 100);
        cpu = cpuNow;
        wall = wallNow;
    }
    std::sort(percents.begin(), percents.end());
    const std::size_t half = percents.size() / 2;
    const double median = percents.size() % 2 ? percents[half] : (percents[half - 1] + percents[half]) / 2;
    return {(cpu - cpuStart) / (wall - wallStart) * 100, median};
}

// The test camera alone: its default 640 x 480 at 30 frames a second through a sample grabber into
// a null renderer, as the programs' graphs take it.
CpuFigure CameraAlonePercent(int seconds) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    CpuFigure percent;
    {
        ComPtr<IBaseFilter> camera = probe::BindDevice(CLSID_VideoInputDeviceCategory, testcam::kCameraName);
        probe::GrabberGraph graph;
        if (camera && SUCCEEDED(graph.Build(camera.Get(), MEDIATYPE_Video, nullptr)) &&
            SUCCEEDED(graph.control->Run())) {
            percent = CpuPercent(HostCpuSecondsOfSelf, seconds);
            graph.control->Stop();
        }
        graph.Release();
    }
    CoUninitialize();
    return percent;
}

// A platform path in this process, measured like the camera alone.
CpuFigure PlatformPercent(programbench::PlatformPath& path, int seconds) {
    CpuFigure percent;
    if (!programbench::WhileRunning(path, [&] { percent = CpuPercent(HostCpuSecondsOfSelf, seconds); }))
        std::fputs("program_cpu_wine_bench: the platform path did not start\n", stderr);
    return percent;
}

// Orvello at 640 x 480; with the tick's work on, the picture doubled to 1280 x 960 and the clock
// stamped on every tick.
CpuFigure OrvelloPercent(bool tickWork, int seconds) {
    reliability::OrvelloSession orvello;
    std::wstring error;
    if (!orvello.Start(e2e::FreshFolder(L"cpu-orvello"), error)) {
        std::fwprintf(stderr, L"program_cpu_wine_bench: Orvello: %ls\n", error.c_str());
        orvello.Close();
        return {};
    }
    e2e::PostCommand(orvello.main, tickWork ? kOrvelloSize1280Zoomed : kOrvelloSize640);
    if (tickWork) e2e::PostCommand(orvello.main, kOrvelloClock);
    const std::wstring exe = orvello.folder + L"\\Orvello.exe";
    const CpuFigure percent = CpuPercent([&] { return HostCpuSecondsOf(exe); }, seconds);
    orvello.Close();
    return percent;
}

std::string PelCameraConfig(const std::wstring& album, bool filters) {
    const char* effects =
        filters ? "  <ReversalV>0</ReversalV>\r\n  <ReversalH>1</ReversalH>\r\n"
                  "  <CharFormat></CharFormat>\r\n  <TextContent>Bench 640x480</TextContent>\r\n"
                  "  <PhotoFrame></PhotoFrame>\r\n  <MosaicWidth>8</MosaicWidth>\r\n"
                  "  <Frequency>0</Frequency>\r\n  <ZoomOut>1</ZoomOut>\r\n"
                : "  <ReversalV>0</ReversalV>\r\n  <ReversalH>0</ReversalH>\r\n"
                  "  <CharFormat></CharFormat>\r\n  <TextContent></TextContent>\r\n"
                  "  <PhotoFrame></PhotoFrame>\r\n  <MosaicWidth>0</MosaicWidth>\r\n"
                  "  <Frequency>0</Frequency>\r\n  <ZoomOut>0</ZoomOut>\r\n";
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\r\n<Setting>\r\n"
               "  <DisplaySize>4</DisplaySize>\r\n  <PhotoSize>4</PhotoSize>\r\n  <FoldPath>") +
           e2e::Narrow(album) + "</FoldPath>\r\n" + effects +
           "  <Language></Language>\r\n  <VideoDisplayName></VideoDisplayName>\r\n"
           "  <AudioDisplayName></AudioDisplayName>\r\n</Setting>\r\n";
}

// PelCamera's preview of the camera's 640 x 480; with its filters on, mirrored, in 8-pixel mosaic,
// zoomed 2x and with a line of text.
CpuFigure PelCameraPercent(bool filters, int seconds) {
    const std::wstring folder = e2e::FreshFolder(L"cpu-pelcamera");
    const std::wstring album = folder + L"\\album";
    if (!e2e::CopyProgramFolder(L"PelCamera", folder) || !CreateDirectoryW(album.c_str(), nullptr) ||
        !e2e::WriteText(folder + L"\\Config.xml", PelCameraConfig(album, filters))) {
        std::fputs("program_cpu_wine_bench: PelCamera: cannot prepare its folder\n", stderr);
        return {};
    }
    reliability::PelCameraSession pel;
    std::wstring error;
    if (!pel.Start(folder, error, false)) {
        std::fwprintf(stderr, L"program_cpu_wine_bench: PelCamera: %ls\n", error.c_str());
        pel.Close();
        return {};
    }
    const CpuFigure percent =
        CpuPercent([&] { return HostCpuSecondsOf(folder + L"\\PelCamera.exe"); }, seconds);
    pel.Close();
    return percent;
}

// One row: the figure, "own" less the camera alone, and for a judged row the target and what is
// left above the platform's own path for the same picture.
void PrintRow(const char* what, const CpuFigure& figure, const CpuFigure& camera, bool judged,
              const CpuFigure& platform = {}) {
    if (figure.mean < 0) {
        std::printf("  %-56s %s\n", what, "(no figure)");
        return;
    }
    const bool subtract = camera.mean >= 0;
    std::printf("  %-56s mean %5.2f %%", what, figure.mean);
    if (subtract) std::printf(" own %5.2f %%", figure.mean - camera.mean);
    std::printf("   median %5.2f %%", figure.median);
    if (subtract) {
        const double own = figure.median - camera.median;
        std::printf(" own %5.2f %%", own);
        if (judged)
            std::printf("   target <= %.0f %%: %s", kPlainOwnTargetPercent,
                        own <= kPlainOwnTargetPercent ? "met" : "NOT MET");
    }
    if (judged && platform.median >= 0)
        std::printf("   above the platform path: median %5.2f %%", figure.median - platform.median);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    int seconds = 60;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--seconds=", 10) == 0) seconds = std::max(1, std::atoi(argv[i] + 10));
    std::printf(
        "Whole programs under Wine: CPU of the program's process, %% of one core, previewing the test "
        "camera's 640x480 at 30 fps for %d s each\n",
        seconds);
    std::printf(
        "  (mean over the whole time and median of its %d-s windows; \"own\" is less the camera "
        "alone)\n",
        kWindowSeconds);
    const CpuFigure camera = CameraAlonePercent(seconds);
    PrintRow("test camera alone (into a null renderer)", camera, {}, false);
    const auto drawDib = programbench::DrawDibEvery50Ms();
    const CpuFigure drawDibPath = PlatformPercent(*drawDib, seconds);
    PrintRow("platform path: camera alone + DrawDib 640x480 every 50 ms", drawDibPath, camera, false);
    PrintRow("Orvello, plain preview", OrvelloPercent(false, seconds), camera, true, drawDibPath);
    PrintRow("Orvello, tick work on (2x zoom to 1280x960, clock)", OrvelloPercent(true, seconds), camera,
             false);
    const auto preview = programbench::DirectShowPreview();
    const CpuFigure previewPath = PlatformPercent(*preview, seconds);
    PrintRow("platform path: camera, Smart Tee, RGB24 grabber, renderer", previewPath, camera, false);
    PrintRow("PelCamera, plain preview", PelCameraPercent(false, seconds), camera, true, previewPath);
    PrintRow("PelCamera, filters on (mirror, mosaic 8, zoom 2x, text)", PelCameraPercent(true, seconds),
             camera, false);
    return 0;
}
