// Choice of the camera's capture format for an asked frame size.
#pragma once

#include "monitor/libs/YsCapture/DirectShow.h"

namespace yscap {

// Sets the capture pin's format: exactly width x height when the camera offers it (RGB24 first),
// otherwise the offered size nearest to it (the frames are then scaled to the asked size).
// Cameras without IAMStreamConfig keep their current format. False only when every offered
// format was refused.
bool ChooseCaptureFormat(ICaptureGraphBuilder2* builder, IBaseFilter* source, int width, int height);

}  // namespace yscap
