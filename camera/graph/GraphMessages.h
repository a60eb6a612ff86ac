// The texts the capture graph shows when a step fails ("！" is the full-width U+FF01).
#pragma once

namespace graphtext {

constexpr wchar_t kCreateGraphBuilderFailed[] = L"Create Graph Builder Failed\xFF01";
constexpr wchar_t kCreateInputFiltersFailed[] = L"Create Input Filters Failed\xFF01";
constexpr wchar_t kCreateVideoCaptureFilterFailed[] = L"Create Video Capture Filter Failed\xFF01";
constexpr wchar_t kInsertVideoCaptureFilterFailed[] = L"Insert Video Capture Filter Failed\xFF01";
constexpr wchar_t kNoVideoStreamConfig[] = L"Can't Find VCapture:IAMStreamConfig";
constexpr wchar_t kCreateAudioCaptureFilterFailed[] = L"Create Audio Capture Filter Failed\xFF01";
constexpr wchar_t kInsertAudioCaptureFilterFailed[] = L"Insert Audio Capture Filter Failed\xFF01";
constexpr wchar_t kNoAudioStreamConfig[] = L"Can't Find ACapture:IAMStreamConfig\xFF01";
constexpr wchar_t kInsertOverlayFailed[] = L"Insert Pel Overlay Filter Failed\xFF01";
constexpr wchar_t kBuildPreviewGraphFailed[] = L"Build Preview Graph Failed\xFF01";
constexpr wchar_t kInsertReversalFailed[] = L"Insert Pel Reversal Filter Failed\xFF01";
constexpr wchar_t kConnectOverlayToReversalFailed[] =
    L"Connect Pel Overlay Filter To Pel Reversal Filter Failed\xFF01";
constexpr wchar_t kInsertGrabberFailed[] = L"Insert Grabber Filter Failed\xFF01";
constexpr wchar_t kCouldNotSetMediaType[] = L"Could not set media type";
constexpr wchar_t kNoPelFilter[] = L"Can't Find IPelFilter\xFF01";
constexpr wchar_t kPreassignFileSpaceFailed[] = L"Preassign File Space Failed\xFF01";
constexpr wchar_t kCannotSetOutputFile[] = L"Cannot Set Output File";
constexpr wchar_t kCannotRenderVideoCapture[] = L"Cannot render video capture stream";
constexpr wchar_t kCannotRenderAudioCapture[] = L"Cannot render audio capture stream";
constexpr wchar_t kNoVideoWindow[] = L"Can't Find IID_IVideoWindow\xFF01";
constexpr wchar_t kCannotRunPreview[] = L"Can't Run Preview\xFF01";
constexpr wchar_t kCannotStopGraph[] = L"Can't Stop Graph\xFF01";
constexpr wchar_t kCannotGetMediaControl[] = L"Cannot get IMediaControl";
constexpr wchar_t kCannotStartGraph[] = L"Cannot start graph";
constexpr wchar_t kCannotRunCapture[] = L"Can't Run Capture\xFF01";
// Prepared when the camera goes away during a run; shown nowhere.
constexpr wchar_t kDeviceLost[] = L"Stopping Capture (Device Lost). Select New Capture Device";

}  // namespace graphtext
