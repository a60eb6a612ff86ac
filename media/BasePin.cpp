#include "media/BasePin.h"

#include "media/BaseFilter.h"
#include "media/EnumMediaTypes.h"

#include <memory>
#include <vector>

namespace media {

BasePin::BasePin(BaseFilter* filter, const wchar_t* name, PIN_DIRECTION direction)
    : filter_(filter), name_(name), direction_(direction) {}

CRITICAL_SECTION* BasePin::Lock() const {
    return filter_->Lock();
}

STDMETHODIMP BasePin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPin) {
        *out = static_cast<IPin*>(this);
    } else if (iid == IID_IQualityControl) {
        *out = static_cast<IQualityControl*>(this);
    } else {
        *out = nullptr;
        return QueryExtraInterface(iid, out);
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) BasePin::AddRef() {
    return filter_->AddRef();
}
STDMETHODIMP_(ULONG) BasePin::Release() {
    return filter_->Release();
}

STDMETHODIMP BasePin::Connect(IPin*, const AM_MEDIA_TYPE*) {
    return E_UNEXPECTED;
}
STDMETHODIMP BasePin::ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) {
    return E_UNEXPECTED;
}

void BasePin::ResetConnection() {
    peer_ = nullptr;
    type_.Clear();
}

STDMETHODIMP BasePin::Disconnect() {
    EnterCriticalSection(Lock());
    HRESULT hr = S_OK;
    if (filter_->State() != State_Stopped) {
        hr = VFW_E_NOT_STOPPED;
    } else if (!peer_) {
        hr = S_FALSE;
    } else {
        BreakConnect();
        ResetConnection();
    }
    LeaveCriticalSection(Lock());
    return hr;
}

STDMETHODIMP BasePin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    EnterCriticalSection(Lock());
    *pin = peer_.Get();
    if (*pin) (*pin)->AddRef();
    LeaveCriticalSection(Lock());
    return *pin ? S_OK : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP BasePin::ConnectionMediaType(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    EnterCriticalSection(Lock());
    HRESULT hr = VFW_E_NOT_CONNECTED;
    *type = AM_MEDIA_TYPE();
    if (peer_) hr = CopyMediaType(*type, type_.Get());
    LeaveCriticalSection(Lock());
    return hr;
}

STDMETHODIMP BasePin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = filter_;
    filter_->AddRef();
    info->dir = direction_;
    lstrcpynW(info->achName, name_.c_str(), MAX_PIN_NAME);
    return S_OK;
}

STDMETHODIMP BasePin::QueryDirection(PIN_DIRECTION* direction) {
    if (!direction) return E_POINTER;
    *direction = direction_;
    return S_OK;
}

STDMETHODIMP BasePin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    const size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    memcpy(*id, name_.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP BasePin::QueryAccept(const AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    return CheckMediaType(*type) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP BasePin::EnumMediaTypes(IEnumMediaTypes** out) {
    if (!out) return E_POINTER;
    std::vector<std::shared_ptr<const MediaType>> types;
    EnterCriticalSection(Lock());
    for (int i = 0;; ++i) {
        auto mt = std::make_shared<MediaType>();
        if (GetMediaType(i, mt->Get()) != S_OK) break;
        types.push_back(std::move(mt));
    }
    LeaveCriticalSection(Lock());
    *out = new media::EnumMediaTypes(std::move(types));
    return S_OK;
}

STDMETHODIMP BasePin::QueryInternalConnections(IPin**, ULONG*) {
    return E_NOTIMPL;
}
STDMETHODIMP BasePin::EndOfStream() {
    return S_OK;
}
STDMETHODIMP BasePin::BeginFlush() {
    return S_OK;
}
STDMETHODIMP BasePin::EndFlush() {
    return S_OK;
}
STDMETHODIMP BasePin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) {
    return S_OK;
}

}  // namespace media
