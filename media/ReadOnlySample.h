// A sample passed on untouched from a read-only upstream buffer. It reads like the sample it
// wraps; our in-place filters further down recognise it and copy before they write.
#pragma once

#include "framework/ComPtr.h"
#include "media/DShow.h"

namespace media {

class ReadOnlySample final : public IMediaSample {
  public:
    // A new wrapper holding one reference, or null when there is no memory.
    static IMediaSample* Wrap(IMediaSample* inner);
    // True for a sample made by Wrap: its buffer is not ours to change.
    static bool Is(IMediaSample* sample);

    ReadOnlySample(const ReadOnlySample&) = delete;
    ReadOnlySample& operator=(const ReadOnlySample&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IMediaSample: everything is the wrapped sample's.
    STDMETHODIMP GetPointer(BYTE** buffer) override { return inner_->GetPointer(buffer); }
    STDMETHODIMP_(long) GetSize() override { return inner_->GetSize(); }
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) override {
        return inner_->GetTime(start, end);
    }
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) override {
        return inner_->SetTime(start, end);
    }
    STDMETHODIMP IsSyncPoint() override { return inner_->IsSyncPoint(); }
    STDMETHODIMP SetSyncPoint(BOOL value) override { return inner_->SetSyncPoint(value); }
    STDMETHODIMP IsPreroll() override { return inner_->IsPreroll(); }
    STDMETHODIMP SetPreroll(BOOL value) override { return inner_->SetPreroll(value); }
    STDMETHODIMP_(long) GetActualDataLength() override { return inner_->GetActualDataLength(); }
    STDMETHODIMP SetActualDataLength(long length) override { return inner_->SetActualDataLength(length); }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override { return inner_->GetMediaType(type); }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* type) override { return inner_->SetMediaType(type); }
    STDMETHODIMP IsDiscontinuity() override { return inner_->IsDiscontinuity(); }
    STDMETHODIMP SetDiscontinuity(BOOL value) override { return inner_->SetDiscontinuity(value); }
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* end) override {
        return inner_->GetMediaTime(start, end);
    }
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* end) override {
        return inner_->SetMediaTime(start, end);
    }

  private:
    explicit ReadOnlySample(IMediaSample* inner) : inner_(inner) {}
    ~ReadOnlySample() = default;

    ComPtr<IMediaSample> inner_;
    volatile LONG refs_ = 1;
};

}  // namespace media
