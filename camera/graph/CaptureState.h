// The state of the camera's graph: which shape runs, if any.
#pragma once

enum CaptureState : int {
    Idle = 0,        // no graph runs
    Previewing = 1,  // the preview graph runs
    Capturing = 2,   // the capture graph runs and writes the AVI file
};
