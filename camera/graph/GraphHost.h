// What the capture graph needs from the window that owns it. The main frame implements it; tests
// implement it with a plain window.
#pragma once

#include <windows.h>

struct ISampleGrabberCB;

constexpr UINT WM_GRAPHNOTIFY = 3033;   // graph events are posted to the graph window
constexpr UINT_PTR kStatusTimerId = 1;  // runs every 500 ms while a graph runs
constexpr UINT kStatusTimerMs = 500;

class GraphHost {
  public:
    virtual ~GraphHost() = default;

    // Receives WM_GRAPHNOTIFY and owns the status timer.
    virtual HWND GraphWindow() const = 0;
    // The window the video is drawn in (the view).
    virtual HWND VideoParent() const = 0;
    // A modal message box with an OK button, captioned with the application title.
    virtual void ShowGraphMessage(const wchar_t* text) = 0;
    // The camera delivers width x height: the grabber callback and the window size follow.
    virtual void OnCaptureFormat(int width, int height) = 0;
    // The sample grabber's buffer callback of the preview graph.
    virtual ISampleGrabberCB* GrabberCallback() = 0;
    // Called while the preview graph is assembled, before its renderer is connected.
    virtual void PreparePhotoBuffer() = 0;
    // Called when the preview graph's filters are connected: hands them the stored settings.
    virtual void ApplyStoredSettings() = 0;
    // Empties the first pane of the status bar.
    virtual void ClearStatusPane() = 0;
    // After a device switch: the property item of the video capture filter is refreshed.
    virtual void RefreshPropertyMenu() = 0;
    // After a device switch: the ticks of the Device menu follow the current pair.
    virtual void RefreshDeviceTicks() = 0;
};
