#include "camera/settings/CameraSettings.h"

#include <cstring>

CameraSettingsRecord CameraSettings = [] {
    CameraSettingsRecord record;
    record.Clear();
    return record;
}();

void CameraSettingsRecord::Clear() {
    std::memset(&charFormat, 0, sizeof charFormat);
    displaySize = photoSize = reversalV = reversalH = mosaicWidth = frequency = zoomOut = 0;
    effectsPageOpen = 0;
    albumFolder.clear();
    photoFrame.clear();
    textContent.clear();
}
