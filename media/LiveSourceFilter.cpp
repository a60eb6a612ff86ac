#include "media/LiveSourceFilter.h"

namespace media {

STDMETHODIMP LiveSourceFilter::GetState(DWORD timeoutMs, FILTER_STATE* state) {
    const HRESULT hr = BaseFilter::GetState(timeoutMs, state);
    if (SUCCEEDED(hr) && *state == State_Paused) return VFW_S_CANT_CUE;
    return hr;
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
