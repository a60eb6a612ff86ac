// The picture settings on the running preview graph: flips, mosaic and zoom go to "Pel Reversal",
// the photo frame and the text to "Pel Overlay", the anti-flicker frequency to the camera. The
// frame-type menu (right-click on the picture) chooses a photo frame from the Effects folder.
#include "camera/frame/MainFrame.h"

#include "camera/app/resource.h"
#include "camera/pages/FrameTypeMenu.h"
#include "camera/pages/GraphEffects.h"
#include "camera/settings/CameraSettings.h"
#include "framework/WinApp.h"

namespace {

constexpr wchar_t kNoReversal[] = L"Can't Find IPelReversal\xFF01";
constexpr wchar_t kNoOverlay[] = L"Cant Find IPelFilter\xFF01";
constexpr wchar_t kNoOverlayForText[] = L"Can't Find IPelFilter\xFF01";

}  // namespace

void CMainFrame::ApplyStoredSettings() {
    ApplyReversal(CameraSettings.reversalV, CameraSettings.reversalH, CameraSettings.mosaicWidth);
    ApplyPhotoFrame(CameraSettings.photoFrame);
    ApplyTextOverlay(CameraSettings.textContent, CameraSettings.charFormat);
    ApplyPowerLineFrequency(CameraSettings.frequency);
    ApplyZoom(CameraSettings.zoomOut);
}

bool CMainFrame::ApplyReversal(int vertical, int horizontal, int mosaic) {
    const EffectResult result = SendReversal(graph_.ReversalFilter(), graph_.VideoWidth(),
                                             graph_.VideoHeight(), vertical, horizontal, mosaic);
    if (result == EffectResult::NoInterface) MessageBox(kNoReversal, nullptr, MB_OK);
    if (result != EffectResult::Sent) return false;
    const bool flipsChanged = (vertical != 0) != shownUpsideDown_ || (horizontal != 0) != shownMirrored_;
    shownUpsideDown_ = vertical != 0;
    shownMirrored_ = horizontal != 0;
    // The text mask is turned for the flips: a new flip needs the text drawn again.
    if (flipsChanged && !shownText_.empty())
        SendTextOverlay(graph_.OverlayFilter(), shownText_, shownTextFormat_, shownMirrored_,
                        shownUpsideDown_);
    return true;
}

void CMainFrame::ApplyZoom(int zoomOut) {
    if (SendZoom(graph_.ReversalFilter(), zoomOut) == EffectResult::NoInterface)
        MessageBox(kNoReversal, nullptr, MB_OK);
}

void CMainFrame::ApplyPowerLineFrequency(int frequency) {
    SendPowerLineFrequency(graph_.VideoCaptureFilter(), frequency);
}

void CMainFrame::ApplyPhotoFrame(const std::wstring& name) {
    LoadFrameBitmap(name.empty() ? std::wstring() : context_.programFolder + L"Effects\\" + name + L".bmp");
}

bool CMainFrame::LoadFrameBitmap(const std::wstring& path) {
    const EffectResult result =
        SendFrameBitmap(graph_.OverlayFilter(), path, graph_.VideoWidth(), graph_.VideoHeight());
    if (result == EffectResult::NoInterface) MessageBox(kNoOverlay, nullptr, MB_OK);
    return result == EffectResult::Sent;
}

bool CMainFrame::ApplyTextOverlay(const std::wstring& text, const CharFormatRecord& format) {
    shownText_ = text;
    shownTextFormat_ = format;
    const EffectResult result =
        SendTextOverlay(graph_.OverlayFilter(), text, format, shownMirrored_, shownUpsideDown_);
    if (result == EffectResult::NoInterface) MessageBox(kNoOverlayForText, nullptr, MB_OK);
    return result == EffectResult::Sent;
}

HMENU CMainFrame::FillFrameTypeMenu() {
    if (!frameTypeMenu_)
        frameTypeMenu_.Reset(::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    HMENU outer = frameTypeMenu_ ? ::GetSubMenu(frameTypeMenu_.Get(), 0) : nullptr;
    HMENU inner = outer ? ::GetSubMenu(outer, 0) : nullptr;
    if (!inner) return nullptr;
    FillFrameTypePopup(inner, context_.programFolder);
    const UINT state = FrameCommandsEnabled() ? MF_ENABLED : MF_GRAYED;
    for (int i = 0, n = ::GetMenuItemCount(inner); i < n; ++i)
        ::EnableMenuItem(inner, static_cast<UINT>(i), MF_BYPOSITION | state);
    return outer;
}

bool CMainFrame::FrameCommandsEnabled() const {
    // The frame goes to the overlay filter, which only the preview graph has; the effects page
    // chooses its own frame while it is open.
    return CameraSettings.effectsPageOpen == 0 && graph_.State() == Previewing && graph_.PreviewGraphBuilt();
}

LRESULT CMainFrame::OnContextMenu(WPARAM, LPARAM lParam) {
    HMENU outer = FillFrameTypeMenu();
    if (!outer) return 0;
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (lParam == static_cast<LPARAM>(-1)) {  // from the keyboard: the view's top-left corner
        at = POINT{0, 0};
        ::ClientToScreen(view_.m_hWnd, &at);
    }
    // The chosen command comes back as WM_COMMAND.
    ::TrackPopupMenu(outer, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, m_hWnd, nullptr);
    return 0;
}
