// Base of our pins: IPin bookkeeping (peer, connection type, enumeration of offered types).
// A pin lives inside its filter and forwards AddRef/Release to it.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"
#include "media/MediaType.h"

#include <string>

namespace media {

class BaseFilter;

class BasePin : public IPin, public IQualityControl {
  public:
    BasePin(BaseFilter* filter, const wchar_t* name, PIN_DIRECTION direction);
    virtual ~BasePin() = default;
    BasePin(const BasePin&) = delete;
    BasePin& operator=(const BasePin&) = delete;

    // IUnknown (forwarded to the filter for the reference count)
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPin
    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** out) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
    // IQualityControl: quality messages are accepted and ignored.
    STDMETHODIMP Notify(IBaseFilter* sender, Quality q) override { return S_OK; }
    STDMETHODIMP SetSink(IQualityControl* sink) override { return S_OK; }

    const std::wstring& Name() const { return name_; }
    BaseFilter* Filter() const { return filter_; }
    bool IsConnected() const { return static_cast<bool>(peer_); }
    IPin* Peer() const { return peer_.Get(); }
    const AM_MEDIA_TYPE& ConnectionType() const { return type_.Get(); }

    // Negotiation hooks.
    // S_OK when the pin can carry this (complete) type.
    virtual HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) = 0;
    // The types the pin offers, best first: S_OK with *type filled, VFW_S_NO_MORE_ITEMS past the end.
    virtual HRESULT GetMediaType(int position, AM_MEDIA_TYPE& type) { return VFW_S_NO_MORE_ITEMS; }
    // The connection type was chosen.
    virtual HRESULT SetMediaType(const AM_MEDIA_TYPE& type) { return type_.Set(type); }
    // After the peer accepted: allocator negotiation and the like. A failure undoes the connection.
    virtual HRESULT CompleteConnect(IPin* peer) { return S_OK; }
    // The connection goes away.
    virtual void BreakConnect() {}

    // State hooks called by the filter: Stopped -> Paused, any -> Stopped, Paused -> Running,
    // Running -> Paused.
    virtual HRESULT Active() { return S_OK; }
    virtual void Inactive() {}
    virtual HRESULT Run(REFERENCE_TIME start) { return S_OK; }
    virtual void PauseFromRun() {}

  protected:
    // Interfaces a subclass adds (besides IPin and IQualityControl).
    virtual HRESULT QueryExtraInterface(REFIID iid, void** out) { return E_NOINTERFACE; }
    void ResetConnection();
    CRITICAL_SECTION* Lock() const;

    BaseFilter* filter_;
    std::wstring name_;
    PIN_DIRECTION direction_;
    ComPtr<IPin> peer_;
    MediaType type_;
};

}  // namespace media
