#include "devices/common/TestcamIds.h"

namespace testcam {

const media::FilterDescription& CameraDescription() {
    static const media::FilterDescription d = {&kClsidTestPatternCamera,
                                               kCameraName,
                                               &CLSID_VideoInputDeviceCategory,
                                               MERIT_DO_NOT_USE,
                                               false,
                                               true,
                                               &MEDIATYPE_Video,
                                               &MEDIASUBTYPE_RGB24,
                                               &PIN_CATEGORY_CAPTURE};
    return d;
}

const media::FilterDescription& MicrophoneDescription() {
    static const media::FilterDescription d = {&kClsidTestToneMicrophone, kMicrophoneName,
                                               &CLSID_AudioInputDeviceCategory, MERIT_DO_NOT_USE, false, true,
                                               &MEDIATYPE_Audio, &MEDIASUBTYPE_PCM, &PIN_CATEGORY_CAPTURE,
                                               // A software input has no wave-in twin.
                                               L"WaveInId", -1};
    return d;
}

}  // namespace testcam
