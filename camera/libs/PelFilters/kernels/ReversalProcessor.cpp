#include "camera/libs/PelFilters/kernels/ReversalProcessor.h"

#include "camera/libs/PelFilters/kernels/Flip.h"
#include "camera/libs/PelFilters/kernels/Mosaic.h"

namespace pel {

void ReversalProcessor::Process(const Rgb24Frame& frame, const ReversalSettings& settings) {
    if (!frame.Valid()) return;
    zoom_.Apply(frame, settings.zoom);
    if (settings.vertical && settings.horizontal)
        TurnHalfway(frame);
    else if (settings.vertical)
        FlipVertical(frame);
    else if (settings.horizontal)
        MirrorHorizontal(frame);
    ApplyMosaic(frame, settings.mosaicWidth);
}

}  // namespace pel
