#include "monitor/tick/TickStamps.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tick {

float ElapsedSeconds(uint32_t now, uint32_t start) {
    const uint32_t elapsed = now - start;
    return static_cast<float>(elapsed * 0.001);
}

std::string CountdownText(float elapsed, int totalSeconds) {
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%0.0f", elapsed);
    const int left = totalSeconds - std::atoi(rounded);
    char text[32];
    std::snprintf(text, sizeof text, "%02d;%02d", left / 60, left % 60);
    return text;
}

bool CountdownVisible(float elapsed, int totalSeconds) {
    return static_cast<float>(totalSeconds - 1) > elapsed;
}

std::string ClockText(const std::tm& local) {
    char text[64];
    if (std::strftime(text, sizeof text, "%Y:%m:%d<%H;%M;%S", &local) == 0) return std::string();
    return text;
}

void StampCameraIcon(uint8_t* frame, int width, int height, const uint8_t* icon) {
    constexpr int kLeft = 16;
    if (!frame || !icon || width < kLeft + kCamIconWidth) return;
    const size_t rowBytes = static_cast<size_t>(kCamIconWidth) * 3;
    for (int j = 0; j < kCamIconHeight; ++j) {
        const int row = height - 62 + j;
        if (row < 0 || row >= height) continue;
        std::memcpy(frame + (static_cast<size_t>(row) * static_cast<size_t>(width) + kLeft) * 3,
                    icon + static_cast<size_t>(j) * rowBytes, rowBytes);
    }
}

void ReopenSize(int displayWidth, int displayHeight, int& width, int& height) {
    width = displayWidth;
    height = displayHeight;
    if (displayWidth == 1280) {
        width = 640;
        height = 480;
    } else if (displayWidth == 1600) {
        width = 800;
        height = 600;
    }
}

std::string DefaultTimerShotFile(const std::string& modulePath) {
    const size_t slash = modulePath.rfind('\\');
    if (slash == std::string::npos) return modulePath;
    return modulePath.substr(0, slash) + "\\TimerCap.bmp";
}

}  // namespace tick
