// CameraSettings: the process-wide settings record of the camera program, one field per element
// of Config.xml (and effectsPageOpen, which is never stored). Read and written on the window
// thread only.
#pragma once

#include <string>

#include "camera/settings/CharFormatRecord.h"

struct CameraSettingsRecord {
    CharFormatRecord charFormat;  // CharFormat, decoded from Base64
    int displaySize;              // DisplaySize: index into the output size list
    int photoSize;                // PhotoSize: index into the photo size list
    int reversalV;                // ReversalV: vertical flip, 0/1
    int reversalH;                // ReversalH: mirror, 0/1
    int mosaicWidth;              // MosaicWidth: 0..24
    int frequency;                // Frequency: 0 = 50 Hz, 1 = 60 Hz
    int zoomOut;                  // ZoomOut: 0..3 for 1x..4x
    int effectsPageOpen;          // 1 while an effects page exists
    std::wstring albumFolder;     // FoldPath after loading: an existing folder ending with '\'
    std::wstring photoFrame;      // PhotoFrame: bitmap name in Effects, without ".bmp"
    std::wstring textContent;     // TextContent: the overlay text

    // Back to the state before start-up: all zero and empty.
    void Clear();
};

extern CameraSettingsRecord CameraSettings;
