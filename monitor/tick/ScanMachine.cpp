#include "monitor/tick/ScanMachine.h"

namespace motion {

ScanState& ProcessScan() {
    static ScanState scan;
    return scan;
}

void StartScan(ScanState& scan, int width) {
    scan.scale = 100;
    scan.returning = 0;
    scan.zoomBack = 0;
    scan.x = 0;
    scan.y = 0;
    scan.step = width == 320 ? 5 : 10;
}

namespace {

ScanMove View(const ScanState& scan, unsigned x, unsigned y) {
    return {true, static_cast<uint8_t>(scan.scale), x, y};
}

}  // namespace

ScanMove NextScanMove(ScanState& scan, int width, int height) {
    const unsigned halfWidth = width > 0 ? static_cast<unsigned>(width / 2) : 0;
    const unsigned halfHeight = height > 0 ? static_cast<unsigned>(height / 2) : 0;
    if (scan.zoomBack) {
        if (scan.scale < 100) {
            ++scan.scale;
            return View(scan, 0, 0);
        }
        scan.x = scan.y = 0;
        scan.scale = 100;
        scan.zoomBack = 0;
        return {};
    }
    if (scan.scale >= 51) {
        --scan.scale;
        return View(scan, 0, 0);
    }
    if (scan.returning) {
        if (scan.x > 0) {
            scan.x -= scan.step;
            return View(scan, scan.x, scan.y);
        }
        if (scan.y > 0) {
            scan.y -= scan.step;
            return View(scan, 0, scan.y);
        }
        scan.x = scan.y = 0;
        scan.returning = 0;
        scan.zoomBack = 1;
        return {};
    }
    if (scan.x < halfWidth) {
        scan.x += scan.step;
        return View(scan, scan.x, 0);
    }
    if (scan.y < halfHeight) {
        scan.y += scan.step;
        return View(scan, scan.x, scan.y);
    }
    scan.returning = 1;
    return {};
}

}  // namespace motion
