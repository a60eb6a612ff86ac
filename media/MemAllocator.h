// A plain memory allocator: fixed-size buffers in the heap, handed out as MediaSamples.
// GetBuffer waits for a free sample; Decommit wakes every waiter with VFW_E_NOT_COMMITTED and the
// memory goes once the last outstanding sample is back.
#pragma once

#include "media/DShow.h"
#include "media/ModuleLock.h"

#include <memory>
#include <vector>

namespace media {

class MediaSample;

class MemAllocator final : public IMemAllocator {
  public:
    // The allocator starts with one reference, owned by the caller.
    static MemAllocator* Create();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IMemAllocator
    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* props) override;
    STDMETHODIMP Commit() override;
    STDMETHODIMP Decommit() override;
    STDMETHODIMP GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* end,
                           DWORD flags) override;
    STDMETHODIMP ReleaseBuffer(IMediaSample* sample) override;

    // Called by a sample whose last reference went.
    void ReturnSample(MediaSample* sample);

  private:
    MemAllocator();
    ~MemAllocator();
    void FreeMemoryLocked();

    ModuleObject moduleObject_;
    volatile LONG refs_ = 1;
    CRITICAL_SECTION lock_;
    HANDLE sampleFreed_;  // auto-reset: one sample came back
    HANDLE decommitted_;  // manual-reset: set while not committed
    ALLOCATOR_PROPERTIES props_{};
    bool committed_ = false;
    int outstanding_ = 0;
    BYTE* memory_ = nullptr;
    std::vector<std::unique_ptr<MediaSample>> samples_;
    std::vector<MediaSample*> free_;
};

}  // namespace media
