// CaptureGraph: the one DirectShow filter graph of the camera program, for the chosen pair of
// capture devices (one video device, at most one audio device). It has one of two shapes:
//  - preview: camera (preview pin) -> "Pel Overlay" -> "Pel Reversal" -> "Grabber" (RGB24) ->
//    video renderer in the host's view; the only shape in which effects and photos work;
//  - capture: camera (capture pin) -> MPEG-4 compressor when installed -> AVI multiplexer -> file,
//    audio device -> multiplexer, with a plain preview of the camera beside it.
// Every operation runs on the window thread. Graph events reach the host window as the posted
// message WM_GRAPHNOTIFY; the host passes them to OnGraphNotify. Failures are shown through the
// host's message box and reported as false / a negative HRESULT.
#pragma once

#include <windows.h>

#include <string>

#include "camera/graph/CaptureState.h"
#include "camera/graph/GraphHost.h"
#include "framework/ComPtr.h"

struct IMoniker;
struct IBaseFilter;
struct IVideoWindow;
struct IMediaEventEx;
struct IGraphBuilder;
struct ICaptureGraphBuilder2;
struct IAMStreamConfig;
struct IAMDroppedFrames;

class CaptureGraph {
  public:
    explicit CaptureGraph(GraphHost& host);
    ~CaptureGraph();
    CaptureGraph(const CaptureGraph&) = delete;
    CaptureGraph& operator=(const CaptureGraph&) = delete;

    // Switches to the pair (either may be null) and restarts the preview; the same pair (by
    // pointer) only refreshes the Device menu's ticks.
    void SelectCaptureDevices(IMoniker* video, IMoniker* audio);
    IMoniker* CurrentVideoMoniker() const { return videoMoniker_.Get(); }
    IMoniker* CurrentAudioMoniker() const { return audioMoniker_.Get(); }
    // Lets go of the current pair (the frame's destruction).
    void ReleaseMonikers();

    HRESULT CreateGraphObjects();
    HRESULT BindCaptureFilters();
    void ReleaseCaptureFilters();

    bool AssemblePreviewGraph();
    bool AssembleRecordGraph(const std::wstring& path);
    void DismantleGraph();
    // Builds and runs the capture graph for `path`. When it cannot start (an unwritable folder, a
    // full disk ...) the file this attempt created is removed and the preview is built and run
    // again, so that the frame is left as it was before the attempt.
    bool StartRecording(const std::wstring& path);

    void AttachVideoWindow();
    bool RunPreview();
    bool RunRecording();
    bool HaltGraph();

    // WM_GRAPHNOTIFY: reads the graph's events. 0 without an event source, else 1.
    LRESULT OnGraphNotify();
    // The view changed size: the video window fills it.
    void FitVideoWindow(int width, int height);

    // What the status pane shows on a timer tick.
    enum class StatusPane { Clear, CameraName, Unchanged };
    StatusPane QueryStatusPane();

    // The video capture filter's property pages (ISpecifyPropertyPages with at least one page).
    bool HasPropertyPages() const;
    // Shows them modally, owned by `owner`.
    void ShowPropertyPages(HWND owner) const;

    CaptureState State() const { return state_; }
    bool PreviewGraphBuilt() const { return previewBuilt_ != 0; }
    bool CaptureGraphBuilt() const { return captureBuilt_ != 0; }
    int VideoWidth() const { return videoWidth_; }
    int VideoHeight() const { return videoHeight_; }
    bool CaptureAudio() const { return captureAudio_ != 0; }

    // The filters the picture settings reach (null outside the preview graph).
    IBaseFilter* VideoCaptureFilter() const { return videoCapture_.Get(); }
    IBaseFilter* OverlayFilter() const { return overlay_.Get(); }
    IBaseFilter* ReversalFilter() const { return reversal_.Get(); }
    IGraphBuilder* Graph() const { return graph_.Get(); }

  private:
    void Show(const wchar_t* text) { host_.ShowGraphMessage(text); }
    // Renders the preview (category preview, video) from the camera to `sink` (null = renderer).
    bool RenderPreviewStream(IBaseFilter* sink);
    bool SetUpGrabber();

    GraphHost& host_;

    ComPtr<IMoniker> videoMoniker_, audioMoniker_;
    int captureAudio_ = 1;
    CaptureState state_ = Idle;
    int previewBuilt_ = 0;
    int captureBuilt_ = 0;
    int videoWidth_ = 640;
    int videoHeight_ = 480;

    ComPtr<IBaseFilter> videoCapture_, audioCapture_;
    ComPtr<IBaseFilter> compressor_, mux_;
    ComPtr<IBaseFilter> overlay_, reversal_, grabber_;
    ComPtr<IVideoWindow> videoWindow_;
    ComPtr<IMediaEventEx> events_;
    ComPtr<IGraphBuilder> graph_;
    ComPtr<ICaptureGraphBuilder2> builder_;
    ComPtr<IAMStreamConfig> videoConfig_, audioConfig_;
    ComPtr<IAMDroppedFrames> droppedFrames_;
};
