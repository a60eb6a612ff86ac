// The script the capture double (YsCaptureDouble) follows: what the camera offers, what Init and
// GetAviFromCam answer, when frames arrive and when the camera is lost, and a log of the calls.
// Link YsCaptureDouble instead of YsCapture to drive the monitor window through exact cases.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace yscap_double {

struct CaptureCall {
    std::string operation;      // "Init", "Release", "GetAviFromCam", "AddCompressorsToList", ...
    std::vector<long> numbers;  // the numeric arguments in order
    std::string text;           // the AVI path of GetAviFromCam
};

struct CaptureScript {
    std::string deviceName = "Test Pattern Camera";
    std::vector<std::string> videoCompressors{"Full Frames (Uncompressed)"};
    std::vector<std::string> audioDevices;             // empty: AddAudioDeviceToList answers false
    std::vector<std::string> audioCompressors{"PCM"};  // empty: AddAudioCompressorsToList answers false

    // Answers of Init and GetAviFromCam, used in order; when a queue is empty the default answers.
    std::deque<bool> initResults;
    bool initDefault = true;
    std::deque<bool> recordResults;
    bool recordDefault = true;
    bool audioFallbackOnRecord = false;  // a started recording sets m_bAudioFallback
    bool writeAviFile = true;            // a started recording writes the delivered frames to its path

    // Moments are milliseconds after the last successful Init or GetAviFromCam, read from clock.
    std::function<uint32_t()> clock;  // default: GetTickCount
    uint32_t firstFrameMs = 0;        // the first frame is there from this moment
    uint32_t frameIntervalMs = 0;     // then one more every interval (0: a new frame at every Capture)
    long lostAtMs = -1;               // the camera is lost from this moment (-1: never)
    long lostAtCapture = -1;          // or at this Capture call after opening, counted from 1
    bool lossRepeats = false;         // false: the loss happens once, the reopened camera stays

    // Paints frame number n (from 0) of an open session. Default: gradient carrying the number.
    std::function<void(uint8_t* frame, int width, int height, int n)> paint;

    // What happened.
    std::vector<CaptureCall> calls;
    long captureCalls = 0;
    long framesDelivered = 0;
};

// The script every CStillCapture of the process follows.
CaptureScript& Script();
void ResetScript();

}  // namespace yscap_double
