// One tick's pixel work timed under Wine with the real calls of the main window's tick: the 800 x 600
// camera frame zoomed to 1600 x 1200, the timer shot's camera icon and countdown and the clock
// stamped with the GDI font (the preview draw excluded). Most ticks repeat the last tick's texts;
// once a second both change.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench/wine/WineBench.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/tick/TickStamps.h"

namespace {

constexpr int kCamWidth = 800;
constexpr int kCamHeight = 600;
constexpr int kWidth = 1600;
constexpr int kHeight = 1200;
constexpr double kTickTargetUs = 2000;

struct Tick {
    std::vector<BYTE> camera = std::vector<BYTE>(static_cast<size_t>(kCamWidth) * kCamHeight * 3);
    std::vector<BYTE> zoom = std::vector<BYTE>(static_cast<size_t>(kWidth) * kHeight * 3);
    std::vector<BYTE> icon = std::vector<BYTE>(38 * 26 * 3, 200);
    Tick() {
        for (size_t i = 0; i < camera.size(); ++i) camera[i] = static_cast<BYTE>(i * 7);
    }
    void Run(int second) {
        char countdown[32], clock[32];
        std::snprintf(countdown, sizeof countdown, "%02d;%02d", second / 60 % 60, second % 60);
        std::snprintf(clock, sizeof clock, "2026:12:08<01;%02d;%02d", second / 60 % 60, second % 60);
        ZoomImg(camera.data(), zoom.data(), kCamWidth, kCamHeight);
        tick::StampCameraIcon(zoom.data(), kWidth, kHeight, icon.data());
        OutIamgeVideo(zoom.data(), countdown, 59, kHeight - 42, kWidth, kHeight);
        OutIamgeVideo(zoom.data(), clock, 16, kHeight - 16, kWidth, kHeight);
    }
};

}  // namespace

int main(int argc, char** argv) {
    const winebench::Options options = winebench::ParseOptions(argc, argv);
    std::vector<winebench::Result> results;
    Tick tick;
    results.push_back(winebench::Time(
        "BM_WineTickZoomStamp1600", options.repetitions, [&] { tick.Run(0); }, kTickTargetUs));
    int second = 0;
    results.push_back(winebench::Time(
        "BM_WineTickZoomStampNewSecond1600", options.repetitions, [&] { tick.Run(++second); },
        kTickTargetUs));
    results.push_back(winebench::Time("BM_WineZoom800To1600", options.repetitions, [&] {
        ZoomImg(tick.camera.data(), tick.zoom.data(), kCamWidth, kCamHeight);
    }));
    winebench::Report("monitor_tick_wine_bench", options, results);
    return 0;
}
