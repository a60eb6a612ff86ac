// The automatic zoom-and-pan scan of the motion pipeline, one move at a time: zoom in from 100 to
// 50, pan right to half the width, down to half the height, back left, back up, zoom out to 100,
// and again. A move is either a view to draw (scale and origin for the detector's Resize) or a
// change of phase that draws nothing.
#pragma once

#include <cstdint>

namespace motion {

struct ScanState {
    int scale = 100;
    unsigned x = 0;
    unsigned y = 0;
    uint8_t returning = 0;
    uint8_t zoomBack = 0;
    uint8_t step = 10;
};

struct ScanMove {
    bool resize = false;  // false: only the phase changed
    uint8_t scale = 100;
    unsigned x = 0;
    unsigned y = 0;
};

// The scan state of the process (one scan at a time, kept across restarts of motion watching).
ScanState& ProcessScan();

// A new scan from the whole picture: pan steps of 5 pixels at width 320 and 10 otherwise.
void StartScan(ScanState& scan, int width);

// The next move of the scan over a picture of width x height.
ScanMove NextScanMove(ScanState& scan, int width, int height);

}  // namespace motion
