#include "camera/libs/PelUtility/SampleGrabberCB.h"

#include "camera/libs/PelUtility/JpegWriter.h"

void CSampleGrabberCB::SetSize(HWND window, int width, int height) {
    window_ = window;
    handoff_.SetSize(width, height);
}

bool CSampleGrabberCB::ShotOne() {
    return handoff_.Arm();
}

BOOL CSampleGrabberCB::BmpToJpeg(const char* path, const PIC_PARAM& photo) const {
    return pelutil::WriteJpegFile(path, photo) ? TRUE : FALSE;
}

STDMETHODIMP CSampleGrabberCB::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
        *object = static_cast<ISampleGrabberCB*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CSampleGrabberCB::SampleCB(double, IMediaSample*) {
    return E_NOTIMPL;
}

STDMETHODIMP CSampleGrabberCB::BufferCB(double, BYTE* buffer, long length) {
    if (!buffer || length <= 0) return S_OK;
    if (handoff_.Offer(buffer, static_cast<size_t>(length)) && window_) {
        if (!PostMessageW(window_, WM_PHOTOREADY, 0, 0)) {
            OutputDebugStringW(L"CSampleGrabberCB: PostMessage of the photo message failed\n");
        }
    }
    return S_OK;
}
