// The two programs started from a program folder of their own and driven from outside: the steps
// the fault and soak runs repeat (snapshots, photos, recordings, message boxes).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/Dialogs.h"
#include "tests/e2e/driver/Process.h"

namespace reliability {

// Texts of every message box the process shows within ms (each answered with OK); stops waiting
// once no new box came for quietMs.
std::vector<std::wstring> AnswerBoxes(DWORD process, DWORD ms, DWORD quietMs = 2000);

// Empty when the AVI file reads back with a consistent index; otherwise what is wrong.
std::string AviProblem(const std::wstring& path, unsigned* videoChunks = nullptr);

class OrvelloSession {
  public:
    static constexpr int kSize320 = 1000, kSnapshot = 1009, kRecorder = 1056, kRecorderState = 1039;
    static constexpr int kAviPath = 1040, kClose = 1046;

    // Copies the staged program into folder (unless copy is false) and starts it; error says why not.
    bool Start(const std::wstring& folder, std::wstring& error, bool copy = true);
    // Presses Snap Shot and saves under path; false when no save dialog came.
    bool Snapshot(const std::wstring& path);
    bool StartRecording(DWORD ms = 10000);
    bool StopRecording(DWORD ms = 10000);
    std::wstring RecorderState() const;
    // Answers the message boxes and closes the program as its user would; a hang fails the test.
    void Close();

    e2e::Process program;
    std::wstring folder;
    HWND main = nullptr;
    HWND preview = nullptr;
};

class PelCameraSession {
  public:
    static constexpr int kTakePhoto = 32791, kStartCapture = 32792, kStopCapture = 32793;
    static constexpr int kView = 0xE900, kStatusBar = 0xE801;

    // Copies the staged program, writes a Config.xml whose album is folder\album, and starts it.
    bool Start(const std::wstring& folder, std::wstring& error, bool copy = true);
    // Posts Take Photo and gives the new photo's path (empty when none came within ms).
    std::wstring TakePhoto(DWORD ms = 10000);
    // Start Capture answered with path in the save dialog.
    bool StartRecording(const std::wstring& path);
    bool StopRecording(DWORD ms = 10000);
    std::wstring StatusText() const;
    bool Previewing() const;
    void Close();

    e2e::Process program;
    std::wstring folder;
    std::wstring album;
    HWND frame = nullptr;
};

}  // namespace reliability
