// CStillCapture: the camera of the monitor window. Opens video input device 0 at a given size,
// hands out the newest frame on each Capture (24-bit bottom-up BGR, width * 3 bytes a row), lists
// the compressors and audio inputs a recording can use, and records AVI files.
// Both the real library (YsCapture) and the scripted double (YsCaptureDouble) implement this header.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CStillCaptureImpl;

class CStillCapture {
  public:
    CStillCapture();
    ~CStillCapture();
    CStillCapture(const CStillCapture&) = delete;
    CStillCapture& operator=(const CStillCapture&) = delete;

    std::string m_strDevice;     // friendly name of the open camera
    BYTE m_bLost = 0;            // the camera went away (unplugged, graph error, frames stopped)
    BYTE m_bAudioFallback = 0;   // the chosen audio compressor failed: the recording uses PCM
    std::string m_strDeviceKey;  // set by the caller before the first Init
    BYTE* m_pFrame = nullptr;    // newest frame, valid until the next Capture or Release
    int m_nFrameReady = 0;       // non-zero once m_pFrame holds a frame
    int m_nWidth = 0;
    int m_nHeight = 0;

    // Opens camera `device` (0 = the first video input) so that frames are exactly width x height:
    // a size the camera does not offer is captured at the nearest offered size and scaled.
    bool Init(int device, int width, int height);
    // Takes the newest frame into m_pFrame (no copy, never waits for the camera); sets m_bLost.
    void Capture();
    // Stops any recording (the file is finished and playable) and closes the camera.
    void Release();

    // Video compressors that can record 24-bit frames, in the index order GetAviFromCam takes;
    // entry 0 is always "Full Frames (Uncompressed)".
    void AddCompressorsToList(HWND combo);
    // Audio inputs; false (and nothing added) when there are none.
    bool AddAudioDeviceToList(HWND combo);
    // Audio formats a recording can compress PCM into, "PCM" first; false when none.
    bool AddAudioCompressorsToList(HWND combo);

    // Reopens the camera at width x height and starts recording to aviPath. masterStream: 1 = the
    // audio clock decides the video rate, 2 or 255 = the video timing is kept as recorded.
    // True = recording started; Capture keeps delivering preview frames meanwhile.
    bool GetAviFromCam(int videoCompressor, int width, int height, int audioCompressor, int audioDevice,
                       BYTE masterStream, BYTE recordAudio, BYTE audioCompressorPresent,
                       const std::string& aviPath);

  private:
    std::unique_ptr<CStillCaptureImpl> m_impl;
};
