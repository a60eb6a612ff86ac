#include "tests/monitor/capture/VfwPlayback.h"

#include <windows.h>
#include <vfw.h>

#include <vector>

namespace capture_test {

VfwPlayback PlayWithVfw(const std::string& path, long framesToDecode) {
    VfwPlayback result;
    ::AVIFileInit();
    PAVIFILE file = nullptr;
    if (::AVIFileOpenA(&file, path.c_str(), OF_READ | OF_SHARE_DENY_WRITE, nullptr) != 0) {
        result.error = "AVIFileOpen failed";
        ::AVIFileExit();
        return result;
    }
    PAVISTREAM video = nullptr, audio = nullptr;
    if (::AVIFileGetStream(file, &video, streamtypeVIDEO, 0) != 0) {
        result.error = "no video stream";
    } else {
        result.videoFrames = ::AVIStreamLength(video);
        PGETFRAME frames = ::AVIStreamGetFrameOpen(video, nullptr);
        if (!frames) {
            result.error = "no decoder for the video stream";
        } else {
            const long end =
                framesToDecode < 0 ? AVIStreamEnd(video) : AVIStreamStart(video) + framesToDecode;
            for (long i = AVIStreamStart(video); i < end; ++i)
                if (!::AVIStreamGetFrame(frames, i)) {
                    result.error = "frame " + std::to_string(i) + " does not decode";
                    break;
                }
            ::AVIStreamGetFrameClose(frames);
        }
        ::AVIStreamRelease(video);
    }
    if (::AVIFileGetStream(file, &audio, streamtypeAUDIO, 0) == 0) {
        result.audioSamples = ::AVIStreamLength(audio);
        std::vector<char> buffer(65536);
        LONG bytes = 0, samples = 0;
        if (::AVIStreamRead(audio, 0, AVISTREAMREAD_CONVENIENT, buffer.data(), LONG(buffer.size()), &bytes,
                            &samples) != 0 ||
            bytes <= 0)
            if (result.error.empty()) result.error = "audio does not read";
        ::AVIStreamRelease(audio);
    }
    ::AVIFileRelease(file);
    ::AVIFileExit();
    return result;
}

}  // namespace capture_test
