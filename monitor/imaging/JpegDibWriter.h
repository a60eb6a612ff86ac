// A packed DIB written as a baseline JPEG file through libjpeg.
#pragma once

#include <cstdint>
#include <string>

namespace jpegdib {

// Receives every message libjpeg wants shown (warnings and fatal errors), already formatted.
// The process-wide reporter serves writes that name none: by default a plain "JPEG Error" message
// box owned by the active window on Windows, stderr on the host. CJpegWriter passes its own, which
// goes through the framework's message-box seam. SetMessageReporter returns the previous one;
// null restores the default.
using MessageReporter = void (*)(const char* message);
MessageReporter SetMessageReporter(MessageReporter reporter);

// Validates (quality 0..100 and a DIB, else "Invalid input data"; no error text: fail silently;
// empty file name: "Invalid input data"), then compresses the DIB at that quality (baseline, all
// tables, otherwise libjpeg's defaults). error is "" exactly when the write succeeded; otherwise it
// holds "Cannot open <file>", a DibToRgbRows text, or libjpeg's own message after a fatal error
// (already reported through the reporter). A failed write leaves no target file behind.
bool WriteJpeg(const uint8_t* dib, int quality, const char* fileName, std::string* error,
               MessageReporter reporter = nullptr);

}  // namespace jpegdib
