// The picture settings on the running preview graph: flips, mosaic and zoom go to "Pel Reversal",
// the photo frame and the text to "Pel Overlay", the anti-flicker frequency to the camera.
#include "camera/frame/MainFrame.h"

#include "media/DShow.h"

#include <vector>

#include "camera/frame/FrameBitmap.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "camera/settings/CameraSettings.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

namespace {

constexpr wchar_t kNoReversal[] = L"Can't Find IPelReversal\xFF01";
constexpr wchar_t kNoOverlay[] = L"Cant Find IPelFilter\xFF01";
constexpr wchar_t kNoOverlayForText[] = L"Can't Find IPelFilter\xFF01";
constexpr long kPowerLineFrequencyProperty = 13;  // the camera's anti-flicker control
constexpr long kManualFlag = 2;                   // VideoProcAmp_Flags_Manual

template <typename T>
bool QueryFilter(IBaseFilter* filter, REFIID iid, ComPtr<T>& out) {
    return filter && SUCCEEDED(filter->QueryInterface(iid, out.AsOut()));
}

// The whole file, up to the largest frame bitmap accepted; empty when it cannot be read.
bool ReadWholeFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxFrameBitmapFileBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
           read == bytes.size();
}

}  // namespace

void CMainFrame::ApplyStoredSettings() {
    ApplyReversal(CameraSettings.reversalV, CameraSettings.reversalH, CameraSettings.mosaicWidth);
    ApplyPhotoFrame(CameraSettings.photoFrame);
    ApplyTextOverlay(CameraSettings.textContent, CameraSettings.charFormat);
    ApplyPowerLineFrequency(CameraSettings.frequency);
    ApplyZoom(CameraSettings.zoomOut);
}

bool CMainFrame::ApplyReversal(int vertical, int horizontal, int mosaic) {
    ComPtr<IPelReversal> reversal;
    if (!QueryFilter(graph_.ReversalFilter(), IID_IPelReversal, reversal)) {
        MessageBox(kNoReversal, nullptr, MB_OK);
        return false;
    }
    reversal->SetSize(graph_.VideoWidth(), graph_.VideoHeight());
    reversal->SetReversalV(vertical);
    reversal->SetReversalH(horizontal);
    reversal->SetMosaicWidth(mosaic);
    return true;
}

void CMainFrame::ApplyZoom(int zoomOut) {
    ComPtr<IPelReversal> reversal;
    if (!QueryFilter(graph_.ReversalFilter(), IID_IPelReversal, reversal)) {
        MessageBox(kNoReversal, nullptr, MB_OK);
        return;
    }
    reversal->SetZoom(zoomOut + 1);
}

void CMainFrame::ApplyPowerLineFrequency(int frequency) {
    ComPtr<IAMVideoProcAmp> amp;
    if (!QueryFilter(graph_.VideoCaptureFilter(), IID_IAMVideoProcAmp, amp)) return;
    amp->Set(kPowerLineFrequencyProperty, frequency + 1, kManualFlag);
}

void CMainFrame::ApplyPhotoFrame(const std::wstring& name) {
    LoadFrameBitmap(name.empty() ? std::wstring() : context_.programFolder + L"Effects\\" + name + L".bmp");
}

bool CMainFrame::LoadFrameBitmap(const std::wstring& path) {
    ComPtr<IPelFilter> overlay;
    if (!QueryFilter(graph_.OverlayFilter(), IID_IPelFilter, overlay)) {
        MessageBox(kNoOverlay, nullptr, MB_OK);
        return false;
    }
    if (path.empty()) {
        overlay->SetFrame(nullptr, 0, 0);
        return true;
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    FrameBitmap frame;
    const FrameBitmapStatus status = ParseFrameBitmap(bytes.data(), bytes.size(), frame);
    if (status != FrameBitmapStatus::Ok) {
        OutputDebugStringA("LoadFrameBitmap: frame bitmap refused: ");
        OutputDebugStringA(FrameBitmapStatusText(status));
        return false;
    }
    FrameBitmap scaled;
    if (!ScaleFrameBitmap(frame, graph_.VideoWidth(), graph_.VideoHeight(), scaled)) return false;
    overlay->SetFrame(scaled.pixels.data(), scaled.width, scaled.height);
    return true;
}

bool CMainFrame::ApplyTextOverlay(const std::wstring& text, const CharFormatRecord& format) {
    ComPtr<IPelFilter> overlay;
    if (!QueryFilter(graph_.OverlayFilter(), IID_IPelFilter, overlay)) {
        MessageBox(kNoOverlayForText, nullptr, MB_OK);
        return false;
    }
    if (text.empty()) {
        overlay->SetText(nullptr, 0, 0, 0);
        return true;
    }
    if (format.szFaceName[0] == 0) return false;
    // Drawing the text into a mask belongs to the effects work that follows.
    return true;
}
