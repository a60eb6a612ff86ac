#include "camera/pages/GraphEffects.h"

#include "media/DShow.h"

#include <cstdio>
#include <vector>

#include "camera/frame/FrameBitmap.h"
#include "camera/libs/PelFilters/PelInterfaces.h"
#include "camera/pages/TextMask.h"
#include "framework/ComPtr.h"
#include "framework/Handles.h"

namespace {

constexpr long kPowerLineFrequencyProperty = 13;  // the camera's anti-flicker control
constexpr long kManualFlag = 2;                   // VideoProcAmp_Flags_Manual

template <typename T>
bool Query(IUnknown* filter, REFIID iid, ComPtr<T>& out) {
    return filter && SUCCEEDED(filter->QueryInterface(iid, out.AsOut())) && out;
}

void LogFailure(const char* what, HRESULT hr) {
    char line[160];
    std::snprintf(line, sizeof line, "GraphEffects: %s failed, hr=0x%08lX\n", what,
                  static_cast<unsigned long>(hr));
    OutputDebugStringA(line);
}

// The whole file, refused before reading when it is larger than any acceptable frame bitmap.
bool ReadFrameFile(const std::wstring& path, std::vector<std::uint8_t>& bytes) {
    ScopedFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        static_cast<unsigned long long>(size.QuadPart) > kMaxFrameBitmapFileBytes)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return ::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
           read == bytes.size();
}

}  // namespace

EffectResult SendReversal(IUnknown* reversalFilter, int videoWidth, int videoHeight, int vertical,
                          int horizontal, int mosaic) {
    ComPtr<IPelReversal> reversal;
    if (!Query(reversalFilter, IID_IPelReversal, reversal)) return EffectResult::NoInterface;
    reversal->SetSize(videoWidth, videoHeight);
    reversal->SetReversalV(vertical);
    reversal->SetReversalH(horizontal);
    reversal->SetMosaicWidth(mosaic);
    return EffectResult::Sent;
}

EffectResult SendZoom(IUnknown* reversalFilter, int zoomOut) {
    ComPtr<IPelReversal> reversal;
    if (!Query(reversalFilter, IID_IPelReversal, reversal)) return EffectResult::NoInterface;
    reversal->SetZoom(zoomOut + 1);
    return EffectResult::Sent;
}

EffectResult SendPowerLineFrequency(IUnknown* captureFilter, int frequency) {
    ComPtr<IAMVideoProcAmp> amp;
    if (!Query(captureFilter, IID_IAMVideoProcAmp, amp)) return EffectResult::NotSent;
    const HRESULT hr = amp->Set(kPowerLineFrequencyProperty, frequency + 1, kManualFlag);
    if (FAILED(hr)) LogFailure("IAMVideoProcAmp::Set (power-line frequency)", hr);
    return EffectResult::Sent;
}

EffectResult SendFrameBitmap(IUnknown* overlayFilter, const std::wstring& path, int videoWidth,
                             int videoHeight) {
    ComPtr<IPelFilter> overlay;
    if (!Query(overlayFilter, IID_IPelFilter, overlay)) return EffectResult::NoInterface;
    if (path.empty()) {
        overlay->SetFrame(nullptr, 0, 0);
        return EffectResult::Sent;
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadFrameFile(path, bytes)) return EffectResult::NotSent;
    FrameBitmap frame;
    const FrameBitmapStatus status = ParseFrameBitmap(bytes.data(), bytes.size(), frame);
    if (status != FrameBitmapStatus::Ok) {
        OutputDebugStringA("GraphEffects: frame bitmap refused: ");
        OutputDebugStringA(FrameBitmapStatusText(status));
        OutputDebugStringA("\n");
        return EffectResult::NotSent;
    }
    FrameBitmap scaled;
    if (!ScaleFrameBitmap(frame, videoWidth, videoHeight, scaled)) return EffectResult::NotSent;
    const HRESULT hr = overlay->SetFrame(scaled.pixels.data(), scaled.width, scaled.height);
    if (FAILED(hr)) {
        LogFailure("IPelFilter::SetFrame", hr);
        return EffectResult::NotSent;
    }
    return EffectResult::Sent;
}

EffectResult SendTextOverlay(IUnknown* overlayFilter, const std::wstring& text,
                             const CharFormatRecord& format, bool mirrored, bool upsideDown) {
    ComPtr<IPelFilter> overlay;
    if (!Query(overlayFilter, IID_IPelFilter, overlay)) return EffectResult::NoInterface;
    if (text.empty()) {
        overlay->SetText(nullptr, 0, 0, 0);
        return EffectResult::Sent;
    }
    if (format.szFaceName[0] == 0) return EffectResult::NotSent;
    TextMask mask;
    if (!RenderTextMask(text, LogFontFromCharFormat(format), mask)) return EffectResult::NotSent;
    TurnTextMask(mask, mirrored, upsideDown);
    const HRESULT hr = overlay->SetText(mask.bits.data(), mask.width, mask.height, format.crTextColor);
    if (FAILED(hr)) {
        LogFailure("IPelFilter::SetText", hr);
        return EffectResult::NotSent;
    }
    return EffectResult::Sent;
}
