// CSampleGrabberCB: the sample grabber's buffer callback of the preview graph.
// ShotOne (window thread) arms one grab; the next frame is copied on the streaming thread and the
// window is told with the posted message 3035. The window then reads FrameBits/Width/Height.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <qedit.h>

#include "camera/libs/PelUtility/FrameHandoff.h"
#include "camera/libs/PelUtility/PicParam.h"

constexpr UINT WM_PHOTOREADY = 3035;

class CSampleGrabberCB : public ISampleGrabberCB {
  public:
    CSampleGrabberCB() = default;
    CSampleGrabberCB(const CSampleGrabberCB&) = delete;
    CSampleGrabberCB& operator=(const CSampleGrabberCB&) = delete;
    virtual ~CSampleGrabberCB() = default;

    // Window thread, while no graph runs: the window to tell and the frame size.
    void SetSize(HWND window, int width, int height);
    // Window thread: the next frame is grabbed. False while a grab is still pending.
    bool ShotOne();

    // Window thread, after message 3035: the grabbed frame, 24-bit, width * 3 bytes a row, rows in
    // the grabber's order (bottom row first).
    const BYTE* FrameBits() const { return handoff_.Frame(); }
    int FrameWidth() const { return handoff_.Width(); }
    int FrameHeight() const { return handoff_.Height(); }

    // Writes the photo as a JPEG file (path in the ANSI code page). TRUE when written.
    BOOL BmpToJpeg(const char* path, const PIC_PARAM& photo) const;

    // IUnknown: the object lives as a member of its window, so counting does not free it.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    // ISampleGrabberCB (streaming thread).
    STDMETHODIMP SampleCB(double time, IMediaSample* sample) override;
    STDMETHODIMP BufferCB(double time, BYTE* buffer, long length) override;

  private:
    HWND window_ = nullptr;
    pelutil::FrameHandoff handoff_;
};
