// What the system's own components leave behind in a process, so the soak can tell it from a leak
// of the program's. Wine 8 leaves registry keys open for each device list read (the enumerator's
// cache, the device's Instance key, temporary codec keys deleted while open) and each save dialog
// closed with OK (its most-recently-used list), and one event per filter graph; Windows leaves none.
#pragma once

namespace reliability {

// Each rate is measured in this process after a warm-up.
struct PlatformRates {
    double keysPerVideoList = 0;  // the video inputs listed and each one's name read
    double keysPerCompressorList = 0;
    double keysPerSaveDialog = 0;  // a save dialog answered with OK
    double eventsPerFilterGraph = 0;
};

PlatformRates MeasurePlatformRates();

}  // namespace reliability
