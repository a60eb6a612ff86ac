// GrabberGraph: source filter -> sample grabber -> null renderer. Samples reach the handler on the
// source's streaming thread. Used for the camera (RGB24 video) and for DirectShow audio inputs (PCM).
#pragma once

#include "framework/ComPtr.h"
#include "monitor/libs/YsCapture/DirectShow.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace yscap {

struct GrabbedSample {
    const uint8_t* data = nullptr;
    size_t size = 0;
    int64_t time = 0;  // start time in 100 ns units (stream time, or arrival time when unstamped)
};

class GrabberGraph {
  public:
    using Handler = std::function<void(const GrabbedSample&)>;

    GrabberGraph() = default;
    GrabberGraph(const GrabberGraph&) = delete;
    GrabberGraph& operator=(const GrabberGraph&) = delete;
    ~GrabberGraph() { Close(); }

    // Adds the source, asks the grabber for major/sub type and connects everything.
    // configure runs after the source is in the graph and before connecting (stream formats).
    bool Build(IBaseFilter* source, REFGUID major, REFGUID subtype,
               const std::function<bool(ICaptureGraphBuilder2*, IBaseFilter*)>& configure, Handler handler);
    // Format the grabber's input pin was connected with (valid after Build).
    const AM_MEDIA_TYPE& Connected() const { return connected_; }
    const std::vector<uint8_t>& ConnectedFormat() const { return format_; }

    bool Run();
    // Stops the graph; returns once the streaming thread has left the handler.
    void Stop();
    // Releases every object; each COM object must reach zero references.
    void Close();

    // Reads pending graph events; true when one of them means the device or the stream is gone.
    bool PollFailure();

  private:
    class Callback;

    ComPtr<IGraphBuilder> graph_;
    ComPtr<ICaptureGraphBuilder2> builder_;
    ComPtr<IMediaControl> control_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<ISampleGrabber> grabber_;
    Callback* callback_ = nullptr;
    AM_MEDIA_TYPE connected_{};
    std::vector<uint8_t> format_;
    bool running_ = false;
};

}  // namespace yscap
