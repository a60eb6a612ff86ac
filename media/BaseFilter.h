// Base of our filters: IBaseFilter with state, clock and graph bookkeeping.
// Pins are members of the filter and share its reference count, so a filter and all its pins go
// together when the last reference to any of them is released.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"
#include "media/ModuleLock.h"

#include <string>

namespace media {

class BasePin;

class BaseFilter : public IBaseFilter {
  public:
    explicit BaseFilter(const CLSID& clsid);
    virtual ~BaseFilter();
    BaseFilter(const BaseFilter&) = delete;
    BaseFilter& operator=(const BaseFilter&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IPersist
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    // IMediaFilter
    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    STDMETHODIMP EnumPins(IEnumPins** out) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** out) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* info) override;

    // For pins and subclasses.
    virtual int PinCount() = 0;
    virtual BasePin* PinAt(int index) = 0;
    CRITICAL_SECTION* Lock() { return &lock_; }
    FILTER_STATE State() const { return state_; }
    REFERENCE_TIME StartTime() const { return start_; }
    // The graph's clock (null when the graph runs without one); valid while not stopped.
    IReferenceClock* Clock() const { return clock_.Get(); }
    // The graph this filter is in: a weak pointer, as the graph owns the filter.
    IFilterGraph* Graph() const { return graph_; }
    // Sends an event to the graph's event queue (IMediaEventSink); E_UNEXPECTED outside a graph.
    HRESULT NotifyEvent(long code, LONG_PTR param1, LONG_PTR param2);
    // Current reference count, for leak checks in tests.
    LONG RefCount() const { return refs_; }

  protected:
    // Interfaces a subclass adds: answer with an AddRef'ed pointer or E_NOINTERFACE.
    virtual HRESULT QueryExtraInterface(REFIID iid, void** out) { return E_NOINTERFACE; }

  private:
    ModuleObject moduleObject_;
    volatile LONG refs_ = 0;
    CLSID clsid_;
    CRITICAL_SECTION lock_;
    FILTER_STATE state_ = State_Stopped;
    REFERENCE_TIME start_ = 0;
    ComPtr<IReferenceClock> clock_;
    IFilterGraph* graph_ = nullptr;
    std::wstring name_;
};

}  // namespace media
