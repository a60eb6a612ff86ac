#include "devices/testcam/TestPatternCamera.h"

#include "devices/common/TestcamIds.h"
#include "devices/testcam/CameraSizes.h"

namespace testcam {

namespace {

constexpr long kVideoControlCaps =
    VideoControlFlag_FlipHorizontal | VideoControlFlag_FlipVertical | VideoControlFlag_Trigger;

}  // namespace

TestPatternCamera::TestPatternCamera() : DeviceFilter(kClsidTestPatternCamera, kCameraName), pin_(this) {
    control_.Open();
    plugged_ = control_.Read().plugged ? 1 : 0;
    stopWatch_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    watcher_.Reset(CreateThread(nullptr, 0, &TestPatternCamera::WatchProc, this, 0, nullptr));
}

TestPatternCamera::~TestPatternCamera() {
    SetEvent(stopWatch_.Get());
    if (watcher_) WaitForSingleObject(watcher_.Get(), INFINITE);
    // The streaming thread reads the control block: it ends before the members go.
    pin_.Inactive();
}

HRESULT TestPatternCamera::QueryExtraInterface(REFIID iid, void** out) {
    if (iid == IID_IAMVideoProcAmp) {
        *out = static_cast<IAMVideoProcAmp*>(this);
    } else if (iid == IID_ISpecifyPropertyPages) {
        *out = static_cast<ISpecifyPropertyPages*>(this);
    } else if (iid == IID_IAMDroppedFrames) {
        *out = static_cast<IAMDroppedFrames*>(this);
    } else if (iid == IID_IAMVideoControl) {
        *out = static_cast<IAMVideoControl*>(this);
    } else {
        return DeviceFilter::QueryExtraInterface(iid, out);
    }
    AddRef();
    return S_OK;
}

bool TestPatternCamera::Refuses(int width, int height) const {
    const ControlState s = control_.Read();
    return s.refuseWidth == width && s.refuseHeight == height;
}

DWORD WINAPI TestPatternCamera::WatchProc(void* self) {
    static_cast<TestPatternCamera*>(self)->Watch();
    return 0;
}

void TestPatternCamera::Watch() {
    LONG seen = control_.Read().generation;
    HANDLE waits[2] = {stopWatch_.Get(), control_.ChangedEvent()};
    const DWORD count = waits[1] ? 2 : 1;
    for (;;) {
        // The event wakes us early; the timeout keeps us polling when a change slips between pulses.
        const DWORD r = WaitForMultipleObjects(count, waits, FALSE, 100);
        if (r == WAIT_OBJECT_0) return;
        const ControlState s = control_.Read();
        if (s.generation != seen) {
            seen = s.generation;
            ApplyPlugged(s.plugged != 0);
        } else if (r == WAIT_OBJECT_0 + 1) {
            // The event is still set from a change we have handled: do not spin on it.
            if (WaitForSingleObject(stopWatch_.Get(), 20) == WAIT_OBJECT_0) return;
        }
    }
}

void TestPatternCamera::ApplyPlugged(bool plugged) {
    const LONG now = plugged ? 1 : 0;
    if (InterlockedExchange(&plugged_, now) == now) return;
    // EC_DEVICE_LOST: parameter 1 is the device filter, parameter 2 is 0 for removal, 1 for return.
    NotifyEvent(EC_DEVICE_LOST, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)), plugged ? 1 : 0);
}

STDMETHODIMP TestPatternCamera::GetRange(long property, long* min, long* max, long* step, long* fallback,
                                         long* flags) {
    if (!min || !max || !step || !fallback || !flags) return E_POINTER;
    if (property != kPowerLineFrequencyProperty) return E_PROP_ID_UNSUPPORTED;
    *min = 1;
    *max = 2;
    *step = 1;
    *fallback = 1;
    *flags = VideoProcAmp_Flags_Manual;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::Set(long property, long value, long) {
    if (property != kPowerLineFrequencyProperty) return E_PROP_ID_UNSUPPORTED;
    if (value < 1 || value > 2) return E_INVALIDARG;
    powerLineFrequency_ = value;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::Get(long property, long* value, long* flags) {
    if (!value || !flags) return E_POINTER;
    if (property != kPowerLineFrequencyProperty) return E_PROP_ID_UNSUPPORTED;
    *value = powerLineFrequency_;
    *flags = VideoProcAmp_Flags_Manual;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) {
        pages->cElems = 0;
        return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = kClsidTestCameraPage;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetNumDropped(long* dropped) {
    if (!dropped) return E_POINTER;
    *dropped = pin_.DroppedCount();
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetNumNotDropped(long* delivered) {
    if (!delivered) return E_POINTER;
    *delivered = pin_.DeliveredCount();
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetDroppedInfo(long size, long* frames, long* copied) {
    if (!frames || !copied) return E_POINTER;
    *copied = 0;  // which frames were dropped is not recorded
    return size < 0 ? E_INVALIDARG : S_OK;
}

STDMETHODIMP TestPatternCamera::GetAverageFrameSize(long* size) {
    if (!size) return E_POINTER;
    *size = pin_.ImageSize();
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetCaps(IPin* pin, long* flags) {
    if (!pin || !flags) return E_POINTER;
    if (!pin_.IsCapturePin(pin)) return E_INVALIDARG;
    *flags = kVideoControlCaps;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::SetMode(IPin* pin, long mode) {
    if (!pin) return E_POINTER;
    if (!pin_.IsCapturePin(pin) || (mode & ~kVideoControlCaps)) return E_INVALIDARG;
    pin_.SetFlipModes(mode & (VideoControlFlag_FlipHorizontal | VideoControlFlag_FlipVertical));
    if (mode & VideoControlFlag_Trigger) pin_.TriggerStill();
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetMode(IPin* pin, long* mode) {
    if (!pin || !mode) return E_POINTER;
    if (!pin_.IsCapturePin(pin)) return E_INVALIDARG;
    *mode = pin_.FlipModes();  // the trigger is a one-shot and never reads back
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetCurrentActualFrameRate(IPin* pin, LONGLONG* frameInterval) {
    if (!pin || !frameInterval) return E_POINTER;
    if (!pin_.IsCapturePin(pin)) return E_INVALIDARG;
    if (!pin_.IsConnected()) return VFW_E_NOT_CONNECTED;
    *frameInterval = kFrameDuration;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetMaxAvailableFrameRate(IPin* pin, long index, SIZE dimensions,
                                                         LONGLONG* frameInterval) {
    if (!pin || !frameInterval) return E_POINTER;
    if (!pin_.IsCapturePin(pin) || index < 0 || index >= kCameraSizeCount ||
        kCameraSizes[index].width != dimensions.cx || kCameraSizes[index].height != dimensions.cy)
        return E_INVALIDARG;
    *frameInterval = kFrameDuration;
    return S_OK;
}

STDMETHODIMP TestPatternCamera::GetFrameRateList(IPin* pin, long index, SIZE dimensions, long* count,
                                                 LONGLONG** frameIntervals) {
    if (!pin || !count) return E_POINTER;
    LONGLONG interval = 0;
    const HRESULT hr = GetMaxAvailableFrameRate(pin, index, dimensions, &interval);
    if (FAILED(hr)) return hr;
    *count = 1;
    if (!frameIntervals) return S_OK;  // only the count was asked for
    *frameIntervals = static_cast<LONGLONG*>(CoTaskMemAlloc(sizeof(LONGLONG)));
    if (!*frameIntervals) return E_OUTOFMEMORY;
    (*frameIntervals)[0] = interval;
    return S_OK;
}

}  // namespace testcam
