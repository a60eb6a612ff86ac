#include "monitor/libs/YsCapture/StillCapture.h"

#include "framework/ComPtr.h"
#include "framework/Handles.h"
#include "monitor/libs/YsCapture/AudioCompressors.h"
#include "monitor/libs/YsCapture/AudioSource.h"
#include "monitor/libs/YsCapture/AviRecorder.h"
#include "monitor/libs/YsCapture/DeviceList.h"
#include "monitor/libs/YsCapture/GrabberGraph.h"
#include "monitor/libs/YsCapture/Log.h"
#include "monitor/libs/YsCapture/StreamFormat.h"
#include "monitor/libs/YsCapture/VideoCompressors.h"
#include "monitor/libs/YsCapture/core/FrameConvert.h"
#include "monitor/libs/YsCapture/core/FrameSlot.h"

#include <atomic>
#include <mutex>

using namespace yscap;

namespace {
// A camera that delivers nothing for this long counts as gone (unplugged without an event).
constexpr DWORD kStallMs = 2500;
// Some cameras take seconds to deliver their first frame after starting.
constexpr DWORD kFirstFrameMs = 8000;
}  // namespace

// One open camera, optionally recording. Frames are converted on the streaming thread into the
// slot's producer buffer, handed to the recorder and published; Capture swaps the newest in.
class CStillCaptureImpl {
  public:
    ~CStillCaptureImpl() { Close(); }

    bool Open(int device, int width, int height, std::string& deviceName) {
        Close();
        if (width <= 0 || height <= 0) return false;
        if (!com_) com_ = std::make_unique<ScopedComInit>();
        if (!BindDevice(CLSID_VideoInputDeviceCategory, device, source_, deviceName)) return false;
        width_ = width;
        height_ = height;
        slot_.Reset(size_t(width) * size_t(height) * 3);
        auto configure = [&](ICaptureGraphBuilder2* builder, IBaseFilter* source) {
            return ChooseCaptureFormat(builder, source, width, height);
        };
        if (!graph_.Build(source_.Get(), MEDIATYPE_Video, MEDIASUBTYPE_RGB24, configure,
                          [this](const GrabbedSample& s) { OnSample(s); })) {
            Close();
            return false;
        }
        const AM_MEDIA_TYPE& mt = graph_.Connected();
        const std::vector<uint8_t>& f = graph_.ConnectedFormat();
        if (mt.formattype != FORMAT_VideoInfo || f.size() < sizeof(VIDEOINFOHEADER)) {
            LogFailure("camera format is not VIDEOINFOHEADER", 0);
            Close();
            return false;
        }
        const auto* vih = reinterpret_cast<const VIDEOINFOHEADER*>(f.data());
        if (vih->bmiHeader.biBitCount != 24 || vih->bmiHeader.biWidth <= 0 || vih->bmiHeader.biHeight == 0) {
            LogFailure("camera format is not 24-bit", vih->bmiHeader.biBitCount);
            Close();
            return false;
        }
        sourceWidth_ = vih->bmiHeader.biWidth;
        sourceHeight_ = vih->bmiHeader.biHeight < 0 ? -vih->bmiHeader.biHeight : vih->bmiHeader.biHeight;
        sourceTopDown_ = vih->bmiHeader.biHeight < 0;
        frameDuration_ = vih->AvgTimePerFrame > 0 ? vih->AvgTimePerFrame : 333333;
        return true;
    }

    bool Run() {
        lastFrameTick_ = ::GetTickCount();
        frameSeen_ = false;
        {
            std::lock_guard<std::mutex> hold(sampleLock_);
            accepting_ = true;
        }
        return graph_.Run();
    }

    // Takes the newest frame; null when none arrived yet.
    bool TakeNewest() { return slot_.TakeNewest(); }
    uint8_t* Front() { return slot_.Front(); }

    // A camera whose frames still arrive is not gone, so the graph's events are read only on a
    // tick that found no new frame: reading them costs a kernel round trip, 20 times a second.
    bool Lost(bool frameArrived) {
        if (!frameArrived && graph_.PollFailure()) return true;
        const DWORD limit = frameSeen_ ? kStallMs : kFirstFrameMs;
        return ::GetTickCount() - lastFrameTick_.load() > limit;
    }

    bool StartRecording(const std::string& path, int videoCompressor, int audioCompressor, int audioDevice,
                        bool recordAudio, bool audioCompressorPresent, bool& audioFallback) {
        const auto& compressors = VideoCompressors();
        if (videoCompressor < 0 || size_t(videoCompressor) >= compressors.size()) return false;
        auto video = std::make_unique<VideoEncoder>();
        if (!video->Open(compressors[size_t(videoCompressor)].handler, width_, height_)) return false;

        std::unique_ptr<AudioEncoder> audio;
        if (recordAudio) {
            audioSource_ = OpenAudioInput(audioDevice);
            if (!audioSource_) return LogFailure("opening the audio input", audioDevice), false;
            const auto& formats = AudioCompressors();
            WORD tag = WAVE_FORMAT_PCM;
            if (audioCompressorPresent && audioCompressor >= 0 && size_t(audioCompressor) < formats.size())
                tag = formats[size_t(audioCompressor)].formatTag;
            audio = std::make_unique<AudioEncoder>();
            if (!audio->Open(audioSource_->Format(), tag)) {
                audioFallback = true;
                if (!audio->Open(audioSource_->Format(), WAVE_FORMAT_PCM)) return false;
            }
        }
        auto recorder = std::make_unique<AviRecorder>();
        if (!recorder->Open(path, std::move(video), width_, height_, frameDuration_, std::move(audio)))
            return false;
        recorder_ = std::move(recorder);
        if (audioSource_) {
            AviRecorder* r = recorder_.get();
            if (!audioSource_->Start([r](const uint8_t* pcm, size_t size) { r->OnAudio(pcm, size); })) {
                LogFailure("starting the audio input", 0);
                return false;
            }
        }
        return true;
    }

    void SetAudioMaster(bool audioMaster) { audioMaster_ = audioMaster; }

    void Close() {
        {
            // Waits for a frame in progress; later samples (a late streaming thread) are ignored.
            std::lock_guard<std::mutex> hold(sampleLock_);
            accepting_ = false;
        }
        if (audioSource_) audioSource_->Stop();
        graph_.Stop();  // the streaming thread is out of OnSample from here on
        if (recorder_) recorder_->Finish(audioMaster_);
        recorder_.reset();
        audioSource_.reset();
        graph_.Close();
        if (source_) NoteComLeak("camera filter release", source_.Detach()->Release());
        slot_.Reset(0);
    }

  private:
    void OnSample(const GrabbedSample& s) {
        std::lock_guard<std::mutex> hold(sampleLock_);
        if (!accepting_) return;
        SourceFrame src{s.data, s.size, sourceWidth_, sourceHeight_, sourceTopDown_};
        uint8_t* frame = slot_.ProducerBuffer();
        if (!ConvertToFrame(src, frame, width_, height_)) return;
        if (recorder_) recorder_->OnFrame(frame, s.time);
        slot_.Publish();
        lastFrameTick_ = ::GetTickCount();
        frameSeen_ = true;
    }

    std::unique_ptr<ScopedComInit> com_;
    ComPtr<IBaseFilter> source_;
    GrabberGraph graph_;
    FrameSlot slot_;
    int width_ = 0, height_ = 0;
    int sourceWidth_ = 0, sourceHeight_ = 0;
    bool sourceTopDown_ = false;
    int64_t frameDuration_ = 333333;
    std::atomic<DWORD> lastFrameTick_{0};
    std::atomic<bool> frameSeen_{false};
    std::unique_ptr<AviRecorder> recorder_;
    std::unique_ptr<AudioSource> audioSource_;
    bool audioMaster_ = false;
    std::mutex sampleLock_;  // held by the streaming thread while it handles a frame
    bool accepting_ = false;
};

CStillCapture::CStillCapture() : m_impl(std::make_unique<CStillCaptureImpl>()) {}
CStillCapture::~CStillCapture() {
    Release();
}

bool CStillCapture::Init(int device, int width, int height) {
    Release();
    if (!m_impl->Open(device, width, height, m_strDevice) || !m_impl->Run()) {
        m_impl->Close();
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    m_bLost = 0;
    return true;
}

void CStillCapture::Capture() {
    if (!m_nWidth) return;
    const bool frameArrived = m_impl->TakeNewest();
    if (frameArrived) {
        m_pFrame = m_impl->Front();
        m_nFrameReady = 1;
    }
    if (!m_bLost && m_impl->Lost(frameArrived)) m_bLost = 1;
}

void CStillCapture::Release() {
    m_impl->Close();
    m_pFrame = nullptr;
    m_nFrameReady = 0;
    m_nWidth = 0;
    m_nHeight = 0;
}

namespace {
void AddText(HWND combo, const std::string& text) {
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
}  // namespace

void CStillCapture::AddCompressorsToList(HWND combo) {
    for (const VideoCompressorChoice& c : VideoCompressors()) AddText(combo, c.name);
}

bool CStillCapture::AddAudioDeviceToList(HWND combo) {
    if (!m_impl) return false;
    ScopedComInit com;
    const std::vector<std::string> inputs = ListAudioInputs();
    for (const std::string& name : inputs) AddText(combo, name);
    return !inputs.empty();
}

bool CStillCapture::AddAudioCompressorsToList(HWND combo) {
    const auto& formats = AudioCompressors();
    for (const AudioCompressorChoice& c : formats) AddText(combo, c.name);
    return !formats.empty();
}

bool CStillCapture::GetAviFromCam(int videoCompressor, int width, int height, int audioCompressor,
                                  int audioDevice, BYTE masterStream, BYTE recordAudio,
                                  BYTE audioCompressorPresent, const std::string& aviPath) {
    Release();
    bool fallback = false;
    if (!m_impl->Open(0, width, height, m_strDevice)) return false;
    m_impl->SetAudioMaster(masterStream == 1 && recordAudio);
    if (!m_impl->StartRecording(aviPath, videoCompressor, audioCompressor, audioDevice, recordAudio != 0,
                                audioCompressorPresent != 0, fallback) ||
        !m_impl->Run()) {
        m_impl->Close();
        ::DeleteFileA(aviPath.c_str());  // a failed start leaves no half file behind
        return false;
    }
    m_nWidth = width;
    m_nHeight = height;
    m_bLost = 0;
    if (fallback) m_bAudioFallback = 1;
    return true;
}
