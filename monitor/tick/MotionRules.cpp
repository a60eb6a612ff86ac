#include "monitor/tick/MotionRules.h"

#include <cstdio>

namespace motion {

bool IsScanMode(int mode) {
    return mode == 2 || mode == 5 || mode == 6 || mode == 9;
}

bool IsAlarmMode(int mode) {
    return mode == 3 || mode == 5 || mode == 7 || mode == 9;
}

bool IsStillMode(int mode) {
    return mode == 4 || mode == 6 || mode == 7 || mode == 9;
}

namespace {

int FirstBox(const int32_t* boxes, int lastBox, int32_t secondAxisLimit, int32_t firstAxisLimit) {
    if (!boxes) return -1;
    for (int i = 0; i <= lastBox; ++i) {
        const int32_t* box = boxes + 4 * i;
        if (box[3] - box[2] > secondAxisLimit || box[1] - box[0] > firstAxisLimit) return i;
    }
    return -1;
}

}  // namespace

int FirstAlarmBox(const int32_t* boxes, int lastBox) {
    return FirstBox(boxes, lastBox, 15, 11);
}

int FirstStillBox(const int32_t* boxes, int lastBox) {
    return FirstBox(boxes, lastBox, 20, 15);
}

void StampTargetIcon(uint8_t* frame, int width, int height, const uint8_t* icon) {
    for (int j = 0; j < kTargetIconHeight; ++j) {
        const int row = height - 102 + j;
        if (row < 0 || row >= height) continue;
        const uint8_t* from = icon + j * kTargetIconWidth * 3;
        uint8_t* to = frame + static_cast<size_t>(row) * static_cast<size_t>(width) * 3;
        for (int i = 0; i < kTargetIconWidth; ++i) {
            const int column = 18 + i;
            if (column >= width) break;
            const uint8_t* p = from + i * 3;
            if (p[0] >= 250 && p[1] <= 4 && p[2] >= 251) continue;  // key colour: see-through
            uint8_t* q = to + column * 3;
            q[0] = p[0];
            q[1] = p[1];
            q[2] = p[2];
        }
    }
}

std::string MotionStillFile(const std::string& stillPath, const std::string& programFolder, int hour,
                            int minute, int second) {
    char name[64];
    std::snprintf(name, sizeof name, "\\MOTION[%02d-%02d-%02d].bmp", hour, minute, second);
    const size_t slash = stillPath.rfind('\\');
    const std::string folder = slash == std::string::npos ? programFolder : stillPath.substr(0, slash);
    return folder + name;
}

}  // namespace motion
