#include "media/avi/AviFileMux.h"

#include <cstring>
#include <new>
#include <vector>

#include "media/ClassFactory.h"
#include "media/avi/AviFileMuxFilter.h"
#include "media/avi/AviWriter.h"

namespace media::avi {

namespace {

constexpr uint32_t kUncompressedHandler = ::avi::MakeFourCc('D', 'I', 'B', ' ');

void Log(const wchar_t* what, HRESULT hr) {
    wchar_t line[160];
    wsprintfW(line, L"AviFileMux: %s, hr=0x%08lX\n", what, static_cast<unsigned long>(hr));
    OutputDebugStringW(line);
}

const VIDEOINFOHEADER* VideoHeader(const AM_MEDIA_TYPE& type) {
    if (type.majortype != MEDIATYPE_Video || type.formattype != FORMAT_VideoInfo || !type.pbFormat ||
        type.cbFormat < sizeof(VIDEOINFOHEADER))
        return nullptr;
    const auto* header = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
    if (header->bmiHeader.biWidth <= 0 || header->bmiHeader.biHeight == 0) return nullptr;
    return header;
}

bool IsWaveFormat(const AM_MEDIA_TYPE& type) {
    return type.majortype == MEDIATYPE_Audio && type.formattype == FORMAT_WaveFormatEx && type.pbFormat &&
           type.cbFormat >= 16;
}

// fopen takes paths in the ANSI code page: a name it cannot say goes by its short form.
std::string NarrowPath(const std::wstring& path) {
    auto convert = [](const std::wstring& wide, bool& lossy) {
        BOOL usedDefault = FALSE;
        const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, &usedDefault);
        std::string result;
        if (size > 0) {
            std::vector<char> buffer(static_cast<size_t>(size));
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, buffer.data(), size, nullptr, &usedDefault);
            result = buffer.data();
        }
        lossy = usedDefault != FALSE || size <= 0;
        return result;
    };
    bool lossy = false;
    std::string narrow = convert(path, lossy);
    if (!lossy) return narrow;
    wchar_t shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (length > 0 && length < MAX_PATH) narrow = convert(shortPath, lossy);
    return narrow;
}

}  // namespace

HRESULT CreateAviFileMux(REFIID iid, void** out) {
    return CreateObject<AviFileMuxFilter>(iid, out);
}

// Pins.

AviMuxInputPin::AviMuxInputPin(AviFileMuxFilter* filter, const wchar_t* name, bool video)
    : InputPin(filter, name), mux_(filter), video_(video) {}

HRESULT AviMuxInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
    if (video_) return VideoHeader(type) ? S_OK : S_FALSE;
    return IsWaveFormat(type) ? S_OK : S_FALSE;
}

HRESULT AviMuxInputPin::Active() {
    endOfStream_ = false;
    return InputPin::Active();
}

STDMETHODIMP AviMuxInputPin::Receive(IMediaSample* sample) {
    HRESULT hr = InputPin::Receive(sample);
    if (hr != S_OK) return hr;
    return mux_->WriteSample(video_, sample);
}

STDMETHODIMP AviMuxInputPin::EndOfStream() {
    endOfStream_ = true;
    mux_->PinEnded();
    return S_OK;
}

// Filter.

AviFileMuxFilter::AviFileMuxFilter()
    : BaseFilter(kClsidAviFileMux), video_(this, L"Video", true), audio_(this, L"Audio", false) {
    InitializeCriticalSection(&writeLock_);
}

AviFileMuxFilter::~AviFileMuxFilter() {
    CloseFile();
    DeleteCriticalSection(&writeLock_);
}

BasePin* AviFileMuxFilter::PinAt(int index) {
    if (index == 0) return &video_;
    if (index == 1) return &audio_;
    return nullptr;
}

HRESULT AviFileMuxFilter::QueryExtraInterface(REFIID iid, void** out) {
    if (iid == IID_IFileSinkFilter) {
        *out = static_cast<IFileSinkFilter*>(this);
    } else if (iid == IID_IAMFilterMiscFlags) {
        *out = static_cast<IAMFilterMiscFlags*>(this);
    } else {
        return BaseFilter::QueryExtraInterface(iid, out);
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP AviFileMuxFilter::SetFileName(LPCOLESTR name, const AM_MEDIA_TYPE*) {
    if (!name || !*name) return E_INVALIDARG;
    if (State() != State_Stopped) return VFW_E_NOT_STOPPED;
    EnterCriticalSection(Lock());
    path_ = name;
    LeaveCriticalSection(Lock());
    return S_OK;
}

STDMETHODIMP AviFileMuxFilter::GetCurFile(LPOLESTR* name, AM_MEDIA_TYPE* type) {
    if (!name) return E_POINTER;
    *name = nullptr;
    if (type) {
        *type = AM_MEDIA_TYPE();
        type->majortype = MEDIATYPE_Stream;
        type->subtype = MEDIASUBTYPE_Avi;
    }
    EnterCriticalSection(Lock());
    const std::wstring path = path_;
    LeaveCriticalSection(Lock());
    if (path.empty()) return S_FALSE;
    const size_t bytes = (path.size() + 1) * sizeof(wchar_t);
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*name) return E_OUTOFMEMORY;
    std::memcpy(*name, path.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP AviFileMuxFilter::Pause() {
    if (State() == State_Stopped) {
        const HRESULT hr = OpenFile();
        if (FAILED(hr)) return hr;
    }
    const HRESULT hr = BaseFilter::Pause();
    if (FAILED(hr)) CloseFile();
    return hr;
}

STDMETHODIMP AviFileMuxFilter::Stop() {
    const HRESULT hr = BaseFilter::Stop();
    CloseFile();
    return hr;
}

HRESULT AviFileMuxFilter::OpenFile() {
    if (!video_.IsConnected()) return VFW_E_NOT_CONNECTED;
    const VIDEOINFOHEADER* header = VideoHeader(video_.ConnectionType());
    if (!header) return VFW_E_INVALIDMEDIATYPE;
    const AM_MEDIA_TYPE& videoType = video_.ConnectionType();

    ::avi::AviVideoFormat video;
    video.width = header->bmiHeader.biWidth;
    video.height = header->bmiHeader.biHeight < 0 ? -header->bmiHeader.biHeight : header->bmiHeader.biHeight;
    video.handler =
        header->bmiHeader.biCompression == BI_RGB ? kUncompressedHandler : header->bmiHeader.biCompression;
    // The stream format is the BITMAPINFOHEADER with whatever follows it in the format block.
    const size_t infoOffset = offsetof(VIDEOINFOHEADER, bmiHeader);
    const BYTE* info = videoType.pbFormat + infoOffset;
    video.strf.assign(info, info + (videoType.cbFormat - infoOffset));
    if (header->AvgTimePerFrame > 0 && header->AvgTimePerFrame < 0xFFFFFFFFLL) {
        video.rate = 10000000;
        video.scale = static_cast<uint32_t>(header->AvgTimePerFrame);
    }

    ::avi::AviAudioFormat audio;
    const bool withAudio = audio_.IsConnected() && IsWaveFormat(audio_.ConnectionType());
    if (withAudio) {
        const AM_MEDIA_TYPE& audioType = audio_.ConnectionType();
        audio.strf.assign(audioType.pbFormat, audioType.pbFormat + audioType.cbFormat);
    }

    EnterCriticalSection(Lock());
    const std::wstring path = path_;
    LeaveCriticalSection(Lock());
    if (path.empty()) return E_UNEXPECTED;

    auto writer = std::unique_ptr<::avi::AviWriter>(new (std::nothrow)::avi::AviWriter);
    if (!writer) return E_OUTOFMEMORY;
    if (!writer->Open(NarrowPath(path), video, withAudio ? &audio : nullptr)) {
        Log(L"the AVI file could not be opened", E_FAIL);
        return HRESULT_FROM_WIN32(ERROR_OPEN_FAILED);
    }
    EnterCriticalSection(&writeLock_);
    writer_ = std::move(writer);
    LeaveCriticalSection(&writeLock_);
    return S_OK;
}

void AviFileMuxFilter::CloseFile() {
    EnterCriticalSection(&writeLock_);
    std::unique_ptr<::avi::AviWriter> writer = std::move(writer_);
    if (writer && !writer->Close()) Log(L"the AVI file was not completed", E_FAIL);
    LeaveCriticalSection(&writeLock_);
}

HRESULT AviFileMuxFilter::WriteSample(bool video, IMediaSample* sample) {
    if (sample->IsPreroll() == S_OK) return S_OK;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data))) return S_OK;
    const long length = sample->GetActualDataLength();
    if (length < 0) return S_OK;
    EnterCriticalSection(&writeLock_);
    bool written = true;
    if (writer_) {
        if (video) {
            written = writer_->WriteVideo(data, static_cast<uint32_t>(length), sample->IsSyncPoint() == S_OK);
        } else {
            written = writer_->WriteAudio(data, static_cast<uint32_t>(length));
        }
    }
    LeaveCriticalSection(&writeLock_);
    if (!written) {
        // A full disk or the writer's limit: the stream ends here, the file stays playable.
        NotifyEvent(EC_ERRORABORT, HRESULT_FROM_WIN32(ERROR_WRITE_FAULT), 0);
        return S_FALSE;
    }
    return S_OK;
}

void AviFileMuxFilter::PinEnded() {
    const bool videoDone = !video_.IsConnected() || video_.EndOfStreamSeen();
    const bool audioDone = !audio_.IsConnected() || audio_.EndOfStreamSeen();
    if (videoDone && audioDone)
        NotifyEvent(EC_COMPLETE, S_OK, reinterpret_cast<LONG_PTR>(static_cast<IBaseFilter*>(this)));
}

}  // namespace media::avi
