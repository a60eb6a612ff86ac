#pragma once

#include "camera/libs/PelFilters/kernels/DigitalZoom.h"
#include "camera/libs/PelFilters/kernels/Rgb24Frame.h"

namespace pel {

// What the reversal filter does to each frame, as its interface sets it.
struct ReversalSettings {
    bool vertical = false;    // upside down
    bool horizontal = false;  // mirrored left to right
    int mosaicWidth = 0;      // square size in pixels; 0 or 1 = none
    int zoom = 1;             // 1 to 4 times about the centre

    // False when Process would leave the picture as it is.
    bool ChangesPictures() const { return vertical || horizontal || mosaicWidth > 1 || zoom > 1; }
};

// The reversal filter's pixel work on one frame, in place: the zoom first (so mosaic squares keep
// their size on screen), then the flips, then the mosaic.
// Not synchronised: the filter holds its lock around every call.
class ReversalProcessor {
  public:
    void Process(const Rgb24Frame& frame, const ReversalSettings& settings);

  private:
    DigitalZoom zoom_;
};

}  // namespace pel
