// Test helpers around real capture graphs: device enumeration by friendly name, a sample grabber
// callback that records what arrives, and a message pump.
// The test devices and testcamctl: tests/devices/support/TestCamera.h.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"

#include <qedit.h>

#include <string>
#include <vector>

namespace probe {

std::vector<std::wstring> DeviceNames(const GUID& category);
ComPtr<IBaseFilter> BindDevice(const GUID& category, const wchar_t* name);

// Dispatches this thread's messages for `ms` milliseconds (windows of the program under test).
void Pump(DWORD ms);

struct Frame {
    std::vector<BYTE> bytes;
    REFERENCE_TIME start = 0, stop = 0;
    bool timed = false;
};

// Sample grabber callback (SampleCB): keeps the samples' bytes and times.
class FrameRecorder : public ISampleGrabberCB {
  public:
    FrameRecorder();
    ~FrameRecorder();

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double time, BYTE* buffer, LONG length) override { return E_NOTIMPL; }

    // Waits until `count` frames arrived after the last Clear; false on timeout.
    bool WaitFrames(size_t count, DWORD timeoutMs);
    size_t Count();
    std::vector<Frame> Take();
    void Clear();

  private:
    CRITICAL_SECTION lock_;
    HANDLE arrived_;
    std::vector<Frame> frames_;
    size_t keep_ = 64;
};

// source -> sample grabber (major type, RGB24 for video) -> null renderer, in a new graph.
struct GrabberGraph {
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> grabberFilter, renderer;
    ComPtr<ISampleGrabber> grabber;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;

    // A graph with the grabber and the renderer in it, nothing connected.
    HRESULT Create(const GUID& majorType, ISampleGrabberCB* callback);
    // Create, then adds the source and connects it; S_OK when every step worked.
    HRESULT Build(IBaseFilter* source, const GUID& majorType, ISampleGrabberCB* callback);
    // Connects source -> grabber -> renderer again (after a disconnect).
    HRESULT Connect(IBaseFilter* source);
    // Width and height of the grabber's connected video type (0, 0 when none).
    void ConnectedSize(int& width, int& height);
    // Waits for one event of the code; returns true and its parameters when it came in time.
    bool WaitEvent(long code, DWORD timeoutMs, LONG_PTR* param1, LONG_PTR* param2);
    void Release();
};

IPin* FirstPin(IBaseFilter* filter, PIN_DIRECTION direction);

}  // namespace probe
