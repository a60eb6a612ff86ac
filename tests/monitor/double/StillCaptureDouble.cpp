// Scripted CStillCapture: no device, frames and loss exactly when the script says.
#include "monitor/libs/YsCapture/StillCapture.h"

#include "media/avi/AviWriter.h"
#include "tests/monitor/double/CaptureScript.h"

#include <cstring>

namespace yscap_double {

CaptureScript& Script() {
    static CaptureScript script;
    return script;
}

void ResetScript() {
    Script() = CaptureScript();
}

namespace {

uint32_t Now() {
    const CaptureScript& s = Script();
    return s.clock ? s.clock() : ::GetTickCount();
}

bool NextAnswer(std::deque<bool>& queue, bool fallback) {
    if (queue.empty()) return fallback;
    const bool answer = queue.front();
    queue.pop_front();
    return answer;
}

void DefaultPaint(uint8_t* frame, int width, int height, int n) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = frame + (size_t(y) * size_t(width) + size_t(x)) * 3;
            p[0] = uint8_t(x + n);
            p[1] = uint8_t(y + n);
            p[2] = uint8_t(n);
        }
}

void AddItems(HWND combo, const std::vector<std::string>& items) {
    for (const std::string& item : items)
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

}  // namespace
}  // namespace yscap_double

using namespace yscap_double;

class CStillCaptureImpl {
  public:
    bool open = false;
    uint32_t openedAt = 0;
    long capturesSinceOpen = 0;
    long nextFrame = 0;  // number of the next frame to deliver
    std::vector<uint8_t> frame;
    avi::AviWriter writer;
};

CStillCapture::CStillCapture() : m_impl(std::make_unique<CStillCaptureImpl>()) {}
CStillCapture::~CStillCapture() {
    if (m_impl->writer.IsOpen()) m_impl->writer.Close();
}

namespace {
void Open(CStillCapture& c, CStillCaptureImpl& impl, int width, int height) {
    impl.open = true;
    impl.openedAt = Now();
    impl.capturesSinceOpen = 0;
    impl.nextFrame = 0;
    impl.frame.assign(size_t(width) * size_t(height) * 3, 0);
    c.m_strDevice = Script().deviceName;
    c.m_nWidth = width;
    c.m_nHeight = height;
    c.m_bLost = 0;
}
}  // namespace

bool CStillCapture::Init(int device, int width, int height) {
    Script().calls.push_back({"Init", {device, width, height}, {}});
    if (!NextAnswer(Script().initResults, Script().initDefault) || width <= 0 || height <= 0) return false;
    Open(*this, *m_impl, width, height);
    return true;
}

void CStillCapture::Capture() {
    CaptureScript& s = Script();
    ++s.captureCalls;
    CStillCaptureImpl& impl = *m_impl;
    if (!impl.open || m_bLost) return;
    ++impl.capturesSinceOpen;
    const uint32_t elapsed = Now() - impl.openedAt;
    if ((s.lostAtMs >= 0 && elapsed >= uint32_t(s.lostAtMs)) ||
        (s.lostAtCapture >= 0 && impl.capturesSinceOpen >= s.lostAtCapture)) {
        m_bLost = 1;
        if (!s.lossRepeats) s.lostAtMs = s.lostAtCapture = -1;
        return;
    }
    if (elapsed < s.firstFrameMs) return;
    // Newest frame that exists by now.
    const long newest =
        s.frameIntervalMs ? long((elapsed - s.firstFrameMs) / s.frameIntervalMs) : impl.nextFrame;
    if (newest < impl.nextFrame) return;  // nothing new: the old frame stays
    auto paint = s.paint ? s.paint : DefaultPaint;
    paint(impl.frame.data(), m_nWidth, m_nHeight, int(newest));
    impl.nextFrame = newest + 1;
    ++s.framesDelivered;
    m_pFrame = impl.frame.data();
    m_nFrameReady = 1;
    if (impl.writer.IsOpen()) impl.writer.WriteVideo(impl.frame.data(), uint32_t(impl.frame.size()), true);
}

void CStillCapture::Release() {
    Script().calls.push_back({"Release", {}, {}});
    if (m_impl->writer.IsOpen()) m_impl->writer.Close();
    m_impl->open = false;
    m_pFrame = nullptr;
    m_nFrameReady = 0;
    m_nWidth = 0;
    m_nHeight = 0;
}

void CStillCapture::AddCompressorsToList(HWND combo) {
    Script().calls.push_back({"AddCompressorsToList", {}, {}});
    AddItems(combo, Script().videoCompressors);
}

bool CStillCapture::AddAudioDeviceToList(HWND combo) {
    Script().calls.push_back({"AddAudioDeviceToList", {}, {}});
    AddItems(combo, Script().audioDevices);
    return !Script().audioDevices.empty();
}

bool CStillCapture::AddAudioCompressorsToList(HWND combo) {
    Script().calls.push_back({"AddAudioCompressorsToList", {}, {}});
    AddItems(combo, Script().audioCompressors);
    return !Script().audioCompressors.empty();
}

bool CStillCapture::GetAviFromCam(int videoCompressor, int width, int height, int audioCompressor,
                                  int audioDevice, BYTE masterStream, BYTE recordAudio,
                                  BYTE audioCompressorPresent, const std::string& aviPath) {
    CaptureScript& s = Script();
    s.calls.push_back({"GetAviFromCam",
                       {videoCompressor, width, height, audioCompressor, audioDevice, masterStream,
                        recordAudio, audioCompressorPresent},
                       aviPath});
    if (!NextAnswer(s.recordResults, s.recordDefault) || width <= 0 || height <= 0) return false;
    if (s.writeAviFile) {
        avi::AviVideoFormat format;
        format.width = width;
        format.height = height;
        format.handler = avi::MakeFourCc('D', 'I', 'B', ' ');
        BITMAPINFOHEADER bih{};
        bih.biSize = sizeof bih;
        bih.biWidth = width;
        bih.biHeight = height;
        bih.biPlanes = 1;
        bih.biBitCount = 24;
        bih.biSizeImage = DWORD(width * height * 3);
        format.strf.assign(reinterpret_cast<uint8_t*>(&bih), reinterpret_cast<uint8_t*>(&bih + 1));
        format.rate = 20;  // one frame a tick
        if (!m_impl->writer.Open(aviPath, format, nullptr)) return false;
    }
    Open(*this, *m_impl, width, height);
    if (s.audioFallbackOnRecord && recordAudio) m_bAudioFallback = 1;
    return true;
}
