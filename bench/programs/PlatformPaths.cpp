#include "bench/programs/PlatformPaths.h"

#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "devices/common/TestcamIds.h"
#include "framework/Handles.h"
#include "media/QeditGuids.h"
#include "tests/devices/support/CaptureProbe.h"

namespace programbench {
namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr UINT kDrawMs = 50;

// A visible top-level window whose client area is kWidth x kHeight.
HWND PictureSizedWindow(const wchar_t* windowClass, const wchar_t* title) {
    RECT bounds = {0, 0, kWidth, kHeight};
    AdjustWindowRect(&bounds, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowW(windowClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                         bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

class DirectShowPreviewPath final : public PlatformPath {
  public:
    bool Start() override {
        camera_ = probe::BindDevice(CLSID_VideoInputDeviceCategory, testcam::kCameraName);
        if (!camera_ ||
            FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                    graph_.AsOut())) ||
            FAILED(CoCreateInstance(CLSID_CaptureGraphBuilder2, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_ICaptureGraphBuilder2, builder_.AsOut())) ||
            FAILED(CoCreateInstance(media::kClsidSampleGrabber, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IBaseFilter, grabberFilter_.AsOut())))
            return false;
        ComPtr<ISampleGrabber> grabber;
        if (FAILED(grabberFilter_->QueryInterface(IID_ISampleGrabber, grabber.AsOut()))) return false;
        AM_MEDIA_TYPE type = {};
        type.majortype = MEDIATYPE_Video;
        type.subtype = MEDIASUBTYPE_RGB24;
        if (FAILED(grabber->SetMediaType(&type)) || FAILED(builder_->SetFiltergraph(graph_.Get())) ||
            FAILED(graph_->AddFilter(camera_.Get(), L"Camera")) ||
            FAILED(graph_->AddFilter(grabberFilter_.Get(), L"Grabber")))
            return false;
        const HRESULT hr = builder_->RenderStream(&PIN_CATEGORY_PREVIEW, &MEDIATYPE_Video, camera_.Get(),
                                                  grabberFilter_.Get(), nullptr);
        if (hr != S_OK && hr != VFW_S_NOPREVIEWPIN) return false;
        // The picture in a child window of the program's own, as the programs show it.
        owner_ = PictureSizedWindow(L"STATIC", L"Preview");
        if (!owner_ || FAILED(graph_->QueryInterface(IID_IVideoWindow, videoWindow_.AsOut())) ||
            FAILED(videoWindow_->put_Owner(reinterpret_cast<OAHWND>(owner_))) ||
            FAILED(videoWindow_->put_WindowStyle(WS_CHILD | WS_CLIPCHILDREN)) ||
            FAILED(videoWindow_->SetWindowPosition(0, 0, kWidth, kHeight)) ||
            FAILED(videoWindow_->put_Visible(OATRUE)))
            return false;
        return SUCCEEDED(graph_->QueryInterface(IID_IMediaControl, control_.AsOut())) &&
               SUCCEEDED(control_->Run());
    }

    void Stop() override {
        if (control_) control_->Stop();
        control_ = nullptr;
        if (videoWindow_) {
            videoWindow_->put_Visible(OAFALSE);
            videoWindow_->put_Owner(0);
        }
        videoWindow_ = nullptr;
        if (owner_) DestroyWindow(owner_);
        owner_ = nullptr;
        builder_ = nullptr;
        grabberFilter_ = nullptr;
        graph_ = nullptr;
        camera_ = nullptr;
    }

  private:
    ComPtr<IBaseFilter> camera_, grabberFilter_;
    ComPtr<IGraphBuilder> graph_;
    ComPtr<ICaptureGraphBuilder2> builder_;
    ComPtr<IMediaControl> control_;
    ComPtr<IVideoWindow> videoWindow_;
    HWND owner_ = nullptr;
};

class DrawDibPath final : public PlatformPath {
  public:
    bool Start() override {
        camera_ = probe::BindDevice(CLSID_VideoInputDeviceCategory, testcam::kCameraName);
        if (!camera_ || FAILED(graph_.Build(camera_.Get(), MEDIATYPE_Video, nullptr)) ||
            FAILED(graph_.control->Run()))
            return false;
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &DrawDibPath::WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"PlatformDrawDib";
        RegisterClassW(&windowClass);
        window_ = PictureSizedWindow(L"PlatformDrawDib", L"DrawDib");
        if (!window_) return false;
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        dc_ = GetDC(window_);
        header_.biSize = sizeof header_;
        header_.biWidth = kWidth;
        header_.biHeight = kHeight;
        header_.biPlanes = 1;
        header_.biBitCount = 24;
        header_.biCompression = BI_RGB;
        frame_.resize(static_cast<size_t>(kWidth) * kHeight * 3);
        for (size_t i = 0; i < frame_.size(); ++i) frame_[i] = static_cast<uint8_t>(i * 7);
        drawDib_ = DrawDibOpen();
        if (!dc_ || !drawDib_) return false;
        DrawDibBegin(drawDib_, dc_, kWidth, kHeight, &header_, kWidth, kHeight, DDF_ANIMATE);
        return SetTimer(window_, 1, kDrawMs, nullptr) != 0;
    }

    void Stop() override {
        if (window_) KillTimer(window_, 1);
        if (drawDib_) {
            DrawDibEnd(drawDib_);
            DrawDibClose(drawDib_);
            drawDib_ = nullptr;
        }
        if (dc_) ReleaseDC(window_, dc_);
        dc_ = nullptr;
        if (window_) DestroyWindow(window_);
        window_ = nullptr;
        if (graph_.control) graph_.control->Stop();
        graph_.Release();
        camera_ = nullptr;
    }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<DrawDibPath*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_TIMER && self && self->drawDib_) {
            DrawDibDraw(self->drawDib_, self->dc_, 0, 0, -1, -1, &self->header_, self->frame_.data(), 0, 0,
                        kWidth, kHeight, DDF_SAME_HDC | DDF_SAME_DRAW);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    ComPtr<IBaseFilter> camera_;
    probe::GrabberGraph graph_;
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
    HDRAWDIB drawDib_ = nullptr;
    BITMAPINFOHEADER header_ = {};
    std::vector<uint8_t> frame_;
};

}  // namespace

std::unique_ptr<PlatformPath> DirectShowPreview() {
    return std::make_unique<DirectShowPreviewPath>();
}

std::unique_ptr<PlatformPath> DrawDibEvery50Ms() {
    return std::make_unique<DrawDibPath>();
}

bool WhileRunning(PlatformPath& path, const std::function<void()>& during) {
    const ScopedHandle started(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ScopedHandle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!started || !stop) return false;
    bool running = false;
    std::thread thread([&] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        running = path.Start();
        SetEvent(started.Get());
        const HANDLE stopped = stop.Get();
        while (running &&
               MsgWaitForMultipleObjects(1, &stopped, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        path.Stop();
        CoUninitialize();
    });
    WaitForSingleObject(started.Get(), INFINITE);
    if (running) during();
    SetEvent(stop.Get());
    thread.join();
    return running;
}

}  // namespace programbench
