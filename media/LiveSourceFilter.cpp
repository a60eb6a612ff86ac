#include "media/LiveSourceFilter.h"

#include "media/BasePin.h"

namespace media {

STDMETHODIMP LiveSourceFilter::GetState(DWORD timeoutMs, FILTER_STATE* state) {
    const HRESULT hr = BaseFilter::GetState(timeoutMs, state);
    if (FAILED(hr) || *state != State_Paused) return hr;
    // Unconnected, nothing would be streamed anyway: the pause is complete.
    bool connected = false;
    EnterCriticalSection(Lock());
    for (int i = 0; i < PinCount() && !connected; ++i) connected = PinAt(i)->IsConnected();
    LeaveCriticalSection(Lock());
    return connected ? VFW_S_CANT_CUE : hr;
}

HRESULT LiveSourceFilter::QueryExtraInterface(REFIID iid, void** out) {
    if (iid == IID_IAMFilterMiscFlags) {
        *out = static_cast<IAMFilterMiscFlags*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

}  // namespace media
