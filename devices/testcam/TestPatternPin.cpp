#include "devices/testcam/TestPatternPin.h"

#include "devices/testcam/CameraSizes.h"
#include "devices/testcam/PinCategory.h"
#include "devices/testcam/TestPattern.h"
#include "devices/testcam/TestPatternCamera.h"
#include "media/BaseFilter.h"

#include <cstring>
#include <utility>

namespace testcam {
namespace {

int SizeIndexOf(const AM_MEDIA_TYPE& type) {
    const VIDEOINFOHEADER* vih = media::Rgb24VideoHeader(type);
    if (!vih || vih->bmiHeader.biHeight <= 0) return -1;
    return FindCameraSize(vih->bmiHeader.biWidth, vih->bmiHeader.biHeight);
}

// A SetFormat request may leave the depth open (bit count and compression zero, subtype RGB24 or
// GUID_NULL): the camera keeps its own 24 bits then.
int RequestedSizeIndex(const AM_MEDIA_TYPE& type) {
    const int exact = SizeIndexOf(type);
    if (exact >= 0) return exact;
    if (type.majortype != MEDIATYPE_Video || type.formattype != FORMAT_VideoInfo || !type.pbFormat ||
        type.cbFormat < sizeof(VIDEOINFOHEADER))
        return -1;
    if (type.subtype != MEDIASUBTYPE_RGB24 && type.subtype != GUID_NULL) return -1;
    const BITMAPINFOHEADER& bih = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
    if (bih.biBitCount != 0 || bih.biCompression != 0 || bih.biHeight <= 0) return -1;
    return FindCameraSize(bih.biWidth, bih.biHeight);
}

HRESULT MakeType(int index, AM_MEDIA_TYPE& type) {
    return media::MakeRgb24VideoType(type, kCameraSizes[index].width, kCameraSizes[index].height,
                                     kFrameDuration);
}

}  // namespace

TestPatternPin::TestPatternPin(TestPatternCamera* camera)
    : LiveSourcePin(camera, L"Capture"), camera_(camera), sizeIndex_(kDefaultSizeIndex) {}

HRESULT TestPatternPin::QueryExtraInterface(REFIID iid, void** out) {
    // IAMDroppedFrames is the filter's alone: a pin answering it would break COM identity.
    if (iid == IID_IAMStreamConfig) {
        *out = static_cast<IAMStreamConfig*>(this);
    } else if (iid == IID_IKsPropertySet) {
        *out = static_cast<IKsPropertySet*>(this);
    } else if (iid == IID_IAMBufferNegotiation) {
        *out = static_cast<IAMBufferNegotiation*>(this);
    } else {
        return LiveSourcePin::QueryExtraInterface(iid, out);
    }
    AddRef();
    return S_OK;
}

long TestPatternPin::ImageSize() const {
    const CameraSize& s = kCameraSizes[sizeIndex_];
    return media::Rgb24Stride(s.width) * s.height;
}

HRESULT TestPatternPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    const int index = SizeIndexOf(type);
    if (index < 0 || (narrowed_ && index != sizeIndex_)) return S_FALSE;
    return S_OK;
}

HRESULT TestPatternPin::GetMediaType(int position, AM_MEDIA_TYPE& type) {
    const int count = narrowed_ ? 1 : kCameraSizeCount;
    if (position < 0 || position >= count) return VFW_S_NO_MORE_ITEMS;
    // The chosen size first, then the rest of the list in order.
    int index = position == 0 ? sizeIndex_ : position - 1;
    if (position > 0 && index >= sizeIndex_) ++index;
    return MakeType(index, type);
}

HRESULT TestPatternPin::SetMediaType(const AM_MEDIA_TYPE& type) {
    const int index = SizeIndexOf(type);
    if (index < 0) return VFW_E_INVALIDMEDIATYPE;
    const HRESULT hr = LiveSourcePin::SetMediaType(type);
    if (SUCCEEDED(hr)) {
        sizeIndex_ = index;
        haveFrame_ = false;
    }
    return hr;
}

void TestPatternPin::BreakConnect() {
    narrowed_ = false;
    LiveSourcePin::BreakConnect();
}

HRESULT TestPatternPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
    // An application's wish (IAMBufferNegotiation) goes before downstream's.
    if (wish_.cBuffers > 0) request.cBuffers = wish_.cBuffers;
    if (wish_.cbBuffer > 0) request.cbBuffer = wish_.cbBuffer;
    if (wish_.cbAlign > 0) request.cbAlign = wish_.cbAlign;
    if (wish_.cbPrefix >= 0) request.cbPrefix = wish_.cbPrefix;
    if (request.cBuffers < 3) request.cBuffers = 3;
    if (request.cbBuffer < ImageSize()) request.cbBuffer = ImageSize();
    if (request.cbAlign < 1) request.cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(&request, &actual);
    if (FAILED(hr)) return hr;
    return actual.cbBuffer >= ImageSize() ? S_OK : E_FAIL;
}

REFERENCE_TIME TestPatternPin::SampleDuration() {
    return kFrameDuration;
}

HRESULT TestPatternPin::FillSample(IMediaSample* sample, REFERENCE_TIME, REFERENCE_TIME) {
    if (!camera_->Plugged()) return S_FALSE;  // an unplugged camera sends nothing
    const CameraSize& size = kCameraSizes[sizeIndex_];
    const long bytes = ImageSize();
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || sample->GetSize() < bytes) return E_UNEXPECTED;
    const bool triggered = InterlockedExchange(&trigger_, 0) != 0;
    if (!haveFrame_ || !camera_->Still() || triggered) {
        SYSTEMTIME now;
        GetLocalTime(&now);
        const PatternClock clock = {now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
        const int stride = media::Rgb24Stride(size.width);
        // The camera runs inside the program that uses it, so its drawing counts as that program's
        // work: of the last picture at this size only the moving parts are redrawn. A new media
        // type clears haveFrame_; the size check keeps the buffer safe regardless.
        if (haveFrame_ && frame_.size() == static_cast<size_t>(bytes)) {
            AdvanceTestPattern(frame_.data(), size.width, size.height, stride, frameNumber_ - 1, frameNumber_,
                               clock);
        } else {
            frame_.assign(static_cast<size_t>(bytes), 0);
            DrawTestPattern(frame_.data(), size.width, size.height, stride, frameNumber_, clock);
        }
        ++frameNumber_;
        haveFrame_ = true;
    }
    std::memcpy(data, frame_.data(), static_cast<size_t>(bytes));
    Flip(data, size.width, size.height);
    sample->SetActualDataLength(bytes);
    sample->SetSyncPoint(TRUE);
    camera_->CountFrame();
    return S_OK;
}

void TestPatternPin::Flip(uint8_t* pixels, int width, int height) const {
    const long modes = flipModes_;
    const int stride = media::Rgb24Stride(width);
    if (modes & VideoControlFlag_FlipVertical) {
        std::vector<uint8_t> row(static_cast<size_t>(stride));
        for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
            uint8_t* a = pixels + static_cast<size_t>(top) * stride;
            uint8_t* b = pixels + static_cast<size_t>(bottom) * stride;
            std::memcpy(row.data(), a, row.size());
            std::memcpy(a, b, row.size());
            std::memcpy(b, row.data(), row.size());
        }
    }
    if (modes & VideoControlFlag_FlipHorizontal) {
        for (int y = 0; y < height; ++y) {
            uint8_t* row = pixels + static_cast<size_t>(y) * stride;
            for (int left = 0, right = width - 1; left < right; ++left, --right)
                for (int c = 0; c < 3; ++c) std::swap(row[left * 3 + c], row[right * 3 + c]);
        }
    }
}

STDMETHODIMP TestPatternPin::SetFormat(AM_MEDIA_TYPE* type) {
    if (!type) return E_POINTER;
    const int index = RequestedSizeIndex(*type);
    if (index < 0) return VFW_E_INVALIDMEDIATYPE;
    if (camera_->Refuses(kCameraSizes[index].width, kCameraSizes[index].height)) return E_FAIL;
    ComPtr<IPin> peer;
    IFilterGraph* graph = nullptr;
    EnterCriticalSection(Lock());
    HRESULT hr = S_OK;
    if (filter_->State() != State_Stopped) {
        hr = VFW_E_NOT_STOPPED;
    } else if (IsConnected()) {
        media::MediaType wanted;
        hr = MakeType(index, wanted.Get());
        if (SUCCEEDED(hr) && Peer()->QueryAccept(&wanted.Get()) != S_OK) hr = VFW_E_INVALIDMEDIATYPE;
        if (SUCCEEDED(hr) && index != sizeIndex_) {
            peer = ComPtr<IPin>(Peer());
            graph = filter_->Graph();
        }
    }
    if (SUCCEEDED(hr)) {
        sizeIndex_ = index;
        narrowed_ = !peer;
    }
    LeaveCriticalSection(Lock());
    if (FAILED(hr)) return hr;
    if (peer) {
        // Connected at another size: connect again, offering the new size first. The
        // disconnect in between widens the offer, so it is narrowed once connected again.
        if (!graph) return VFW_E_NOT_IN_GRAPH;
        hr = graph->Reconnect(this);
        if (FAILED(hr)) OutputDebugStringW(L"testcam: reconnecting after SetFormat failed\n");
        EnterCriticalSection(Lock());
        if (SUCCEEDED(hr)) narrowed_ = true;
        LeaveCriticalSection(Lock());
    }
    return hr;
}

STDMETHODIMP TestPatternPin::GetFormat(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    EnterCriticalSection(Lock());
    media::MediaType current;
    HRESULT hr = IsConnected() ? current.Set(ConnectionType()) : MakeType(sizeIndex_, current.Get());
    LeaveCriticalSection(Lock());
    if (FAILED(hr)) return hr;
    *type = media::CreateMediaType(current.Get());
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP TestPatternPin::GetNumberOfCapabilities(int* count, int* size) {
    if (!count || !size) return E_POINTER;
    *count = kCameraSizeCount;
    *size = sizeof(VIDEO_STREAM_CONFIG_CAPS);
    return S_OK;
}

STDMETHODIMP TestPatternPin::GetStreamCaps(int index, AM_MEDIA_TYPE** type, BYTE* caps) {
    if (!type || !caps) return E_POINTER;
    if (index < 0) return E_INVALIDARG;
    if (index >= kCameraSizeCount) return S_FALSE;
    media::MediaType mt;
    HRESULT hr = MakeType(index, mt.Get());
    if (FAILED(hr)) return hr;
    *type = media::CreateMediaType(mt.Get());
    if (!*type) return E_OUTOFMEMORY;
    const CameraSize& s = kCameraSizes[index];
    VIDEO_STREAM_CONFIG_CAPS c = {};
    c.guid = FORMAT_VideoInfo;
    c.VideoStandard = 0;
    c.InputSize = {s.width, s.height};
    c.MinCroppingSize = c.MaxCroppingSize = c.InputSize;
    c.CropGranularityX = c.CropGranularityY = 1;
    c.CropAlignX = c.CropAlignY = 1;
    c.MinOutputSize = c.MaxOutputSize = c.InputSize;
    c.OutputGranularityX = c.OutputGranularityY = 1;
    c.MinFrameInterval = c.MaxFrameInterval = kFrameDuration;
    const LONG bits = media::Rgb24Stride(s.width) * s.height * 8;
    c.MinBitsPerSecond = c.MaxBitsPerSecond = static_cast<LONG>(bits * (10000000LL / kFrameDuration));
    std::memcpy(caps, &c, sizeof c);
    return S_OK;
}

STDMETHODIMP TestPatternPin::Set(REFGUID, DWORD, void*, DWORD, void*, DWORD) {
    return E_PROP_ID_UNSUPPORTED;
}

STDMETHODIMP TestPatternPin::Get(REFGUID set, DWORD id, void*, DWORD, void* data, DWORD dataSize,
                                 DWORD* returned) {
    return GetPinCategory(set, id, data, dataSize, returned, PIN_CATEGORY_CAPTURE);
}

STDMETHODIMP TestPatternPin::QuerySupported(REFGUID set, DWORD id, DWORD* support) {
    return QueryPinCategorySupport(set, id, support);
}

}  // namespace testcam

namespace testcam {

STDMETHODIMP TestPatternPin::SuggestAllocatorProperties(const ALLOCATOR_PROPERTIES* wish) {
    if (!wish) return E_POINTER;
    EnterCriticalSection(Lock());
    const bool connected = IsConnected();
    if (!connected) wish_ = *wish;
    LeaveCriticalSection(Lock());
    return connected ? VFW_E_ALREADY_CONNECTED : S_OK;
}

STDMETHODIMP TestPatternPin::GetAllocatorProperties(ALLOCATOR_PROPERTIES* actual) {
    if (!actual) return E_POINTER;
    EnterCriticalSection(Lock());
    ComPtr<IMemAllocator> allocator(Allocator());
    LeaveCriticalSection(Lock());
    return allocator ? allocator->GetProperties(actual) : VFW_E_NO_ALLOCATOR;
}

STDMETHODIMP TestPatternPin::StartAt(const REFERENCE_TIME* start, DWORD cookie) {
    camera_->CountStreamControl();
    return LiveSourcePin::StartAt(start, cookie);
}

STDMETHODIMP TestPatternPin::StopAt(const REFERENCE_TIME* stop, BOOL sendExtra, DWORD cookie) {
    camera_->CountStreamControl();
    return LiveSourcePin::StopAt(stop, sendExtra, cookie);
}

}  // namespace testcam
