// One buffer of a MemAllocator. When its last reference goes, it returns to its allocator.
#pragma once

#include "media/DShow.h"

namespace media {

class MemAllocator;

class MediaSample final : public IMediaSample {
  public:
    MediaSample(MemAllocator* owner, BYTE* buffer, long size);
    ~MediaSample() { ClearMediaType(); }
    MediaSample(const MediaSample&) = delete;
    MediaSample& operator=(const MediaSample&) = delete;

    // Called by the allocator when it hands the sample out: one reference, no times, no flags.
    void Reset();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IMediaSample
    STDMETHODIMP GetPointer(BYTE** buffer) override;
    STDMETHODIMP_(long) GetSize() override { return size_; }
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* end) override;
    STDMETHODIMP IsSyncPoint() override { return syncPoint_ ? S_OK : S_FALSE; }
    STDMETHODIMP SetSyncPoint(BOOL value) override;
    STDMETHODIMP IsPreroll() override { return preroll_ ? S_OK : S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL value) override;
    STDMETHODIMP_(long) GetActualDataLength() override { return actual_; }
    STDMETHODIMP SetActualDataLength(long length) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP IsDiscontinuity() override { return discontinuity_ ? S_OK : S_FALSE; }
    STDMETHODIMP SetDiscontinuity(BOOL value) override;
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* end) override;
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* end) override;

  private:
    void ClearMediaType();

    MemAllocator* owner_;
    BYTE* buffer_;
    long size_;
    volatile LONG refs_ = 0;
    long actual_ = 0;
    bool hasTime_ = false, hasStop_ = false, hasMediaTime_ = false;
    REFERENCE_TIME start_ = 0, stop_ = 0;
    LONGLONG mediaStart_ = 0, mediaStop_ = 0;
    bool syncPoint_ = false, preroll_ = false, discontinuity_ = false;
    AM_MEDIA_TYPE* type_ = nullptr;
};

}  // namespace media
