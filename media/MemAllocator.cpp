#include "media/MemAllocator.h"

#include "media/MediaSample.h"

namespace media {

MemAllocator* MemAllocator::Create() {
    return new MemAllocator();
}

MemAllocator::MemAllocator() {
    InitializeCriticalSection(&lock_);
    sampleFreed_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    decommitted_ = CreateEventW(nullptr, TRUE, TRUE, nullptr);
}

MemAllocator::~MemAllocator() {
    FreeMemoryLocked();
    CloseHandle(sampleFreed_);
    CloseHandle(decommitted_);
    DeleteCriticalSection(&lock_);
}

STDMETHODIMP MemAllocator::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IMemAllocator) {
        *out = static_cast<IMemAllocator*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) MemAllocator::AddRef() {
    return InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) MemAllocator::Release() {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP MemAllocator::SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) {
    if (!request || !actual) return E_POINTER;
    EnterCriticalSection(&lock_);
    HRESULT hr = S_OK;
    if (committed_) {
        hr = VFW_E_ALREADY_COMMITTED;
    } else if (outstanding_ > 0) {
        hr = VFW_E_BUFFERS_OUTSTANDING;
    } else {
        const long align = request->cbAlign > 0 ? request->cbAlign : 1;
        if (align & (align - 1)) {
            hr = VFW_E_BADALIGN;
        } else {
            ALLOCATOR_PROPERTIES p = *request;
            p.cbAlign = align;
            p.cBuffers = p.cBuffers > 0 ? p.cBuffers : 1;
            p.cbPrefix = p.cbPrefix > 0 ? p.cbPrefix : 0;
            // Round the buffer so that every buffer (after its prefix) starts aligned.
            const long total = p.cbBuffer + p.cbPrefix;
            const long rounded = (total + align - 1) & ~(align - 1);
            p.cbBuffer = rounded - p.cbPrefix;
            if (p.cbBuffer != props_.cbBuffer || p.cBuffers != props_.cBuffers ||
                p.cbPrefix != props_.cbPrefix || p.cbAlign != props_.cbAlign)
                FreeMemoryLocked();
            props_ = p;
            *actual = p;
        }
    }
    LeaveCriticalSection(&lock_);
    return hr;
}

STDMETHODIMP MemAllocator::GetProperties(ALLOCATOR_PROPERTIES* props) {
    if (!props) return E_POINTER;
    EnterCriticalSection(&lock_);
    *props = props_;
    LeaveCriticalSection(&lock_);
    return S_OK;
}

STDMETHODIMP MemAllocator::Commit() {
    EnterCriticalSection(&lock_);
    HRESULT hr = S_OK;
    if (props_.cbBuffer <= 0) {
        hr = VFW_E_SIZENOTSET;
    } else if (!committed_) {
        if (samples_.empty()) {
            const long stride = props_.cbBuffer + props_.cbPrefix;
            memory_ = static_cast<BYTE*>(VirtualAlloc(nullptr, static_cast<SIZE_T>(stride) * props_.cBuffers,
                                                      MEM_COMMIT, PAGE_READWRITE));
            if (!memory_) {
                hr = E_OUTOFMEMORY;
            } else {
                for (long i = 0; i < props_.cBuffers; ++i) {
                    samples_.push_back(std::make_unique<MediaSample>(
                        this, memory_ + i * stride + props_.cbPrefix, props_.cbBuffer));
                    free_.push_back(samples_.back().get());
                }
            }
        }
        if (SUCCEEDED(hr)) {
            committed_ = true;
            ResetEvent(decommitted_);
        }
    }
    LeaveCriticalSection(&lock_);
    return hr;
}

STDMETHODIMP MemAllocator::Decommit() {
    EnterCriticalSection(&lock_);
    committed_ = false;
    SetEvent(decommitted_);
    if (outstanding_ == 0) FreeMemoryLocked();
    LeaveCriticalSection(&lock_);
    return S_OK;
}

void MemAllocator::FreeMemoryLocked() {
    free_.clear();
    samples_.clear();
    if (memory_) VirtualFree(memory_, 0, MEM_RELEASE);
    memory_ = nullptr;
}

STDMETHODIMP MemAllocator::GetBuffer(IMediaSample** sample, REFERENCE_TIME*, REFERENCE_TIME*, DWORD flags) {
    if (!sample) return E_POINTER;
    *sample = nullptr;
    for (;;) {
        EnterCriticalSection(&lock_);
        if (!committed_) {
            LeaveCriticalSection(&lock_);
            return VFW_E_NOT_COMMITTED;
        }
        if (!free_.empty()) {
            MediaSample* s = free_.back();
            free_.pop_back();
            ++outstanding_;
            s->Reset();
            AddRef();  // an outstanding sample keeps its allocator alive
            LeaveCriticalSection(&lock_);
            *sample = s;
            return S_OK;
        }
        LeaveCriticalSection(&lock_);
        if (flags & AM_GBF_NOWAIT) return VFW_E_TIMEOUT;
        HANDLE waits[2] = {sampleFreed_, decommitted_};
        WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    }
}

STDMETHODIMP MemAllocator::ReleaseBuffer(IMediaSample* sample) {
    // Samples come back through their own Release; a direct call has nothing left to do.
    return sample ? S_OK : E_POINTER;
}

void MemAllocator::ReturnSample(MediaSample* sample) {
    EnterCriticalSection(&lock_);
    --outstanding_;
    free_.push_back(sample);
    if (!committed_ && outstanding_ == 0) FreeMemoryLocked();
    SetEvent(sampleFreed_);
    LeaveCriticalSection(&lock_);
    Release();
}

}  // namespace media
