// The picture settings as they are sent to the preview graph's filters: flips, mosaic and zoom to
// "Pel Reversal", the photo frame and the text to "Pel Overlay", the anti-flicker frequency to the
// camera. The main frame calls these with its graph's filters and shows the messages they return.
#pragma once

#include <windows.h>

#include <string>

#include "camera/settings/CharFormatRecord.h"

enum class EffectResult {
    Sent,
    NoInterface,  // the filter is missing or lacks the private interface (the caller reports it)
    NotSent,      // nothing sent, nothing to report (unreadable frame file, empty face name ...)
};

EffectResult SendReversal(IUnknown* reversalFilter, int videoWidth, int videoHeight, int vertical,
                          int horizontal, int mosaic);
// zoomOut 0..3 is sent as the factor 1..4.
EffectResult SendZoom(IUnknown* reversalFilter, int zoomOut);
// frequency 0 = 50 Hz, 1 = 60 Hz is sent as the power-line value 1 or 2 (manual). Silent without
// a camera or without its anti-flicker control.
EffectResult SendPowerLineFrequency(IUnknown* captureFilter, int frequency);
// An empty path removes the frame. A file that cannot be read or is not an acceptable 32-bit
// bitmap leaves the filter's current frame as it is. Frames of another size are scaled to the video.
EffectResult SendFrameBitmap(IUnknown* overlayFilter, const std::wstring& path, int videoWidth,
                             int videoHeight);
// An empty text removes the text; a format without a face name sends nothing. `mirrored` and
// `upsideDown` are the flips the reversal filter behind the overlay applies: the mask is sent
// turned the same way, so that the text reads the right way round on the picture.
EffectResult SendTextOverlay(IUnknown* overlayFilter, const std::wstring& text,
                             const CharFormatRecord& format, bool mirrored = false, bool upsideDown = false);
