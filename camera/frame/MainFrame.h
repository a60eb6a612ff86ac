// CMainFrame: the camera program's only top-level window. It holds the view with the video
// window, a one-pane status bar and the main menu (resource 128); it lists the capture devices,
// follows their arrival and removal, routes the user's commands and owns the capture graph.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "camera/frame/ChildView.h"
#include "camera/graph/CaptureDeviceList.h"
#include "camera/graph/CaptureGraph.h"
#include "camera/libs/PelUtility/SampleGrabberCB.h"
#include "camera/settings/CharFormatRecord.h"
#include "framework/FrameWnd.h"
#include "framework/Handles.h"
#include "framework/StatusBar.h"

class CZelParser;

constexpr wchar_t kStatusCameraText[] = L"USB2.0 PC CAMERA";

// What the frame takes from the application: the program folder (base of the Effects folder),
// the settings document and how the settings file is written.
struct MainFrameContext {
    std::wstring programFolder;
    CZelParser* settingsDocument = nullptr;
    std::function<void()> saveSettings;
};

class CMainFrame : public CFrameWnd, private GraphHost {
  public:
    explicit CMainFrame(MainFrameContext context);
    ~CMainFrame() override;

    // Sizes the window so that the view shows the output size of CameraSettings.displaySize (the
    // camera's own size for an index outside the list), then centres it.
    void ResizeToDisplaySize();
    void TranslateMainMenu();
    void FillDeviceMenu();
    void SelectDefaultDevices();
    void FillPropertyMenu();
    void UpdateStatusPane();
    void PreparePhotoBuffer() override;

    // The picture settings on the running preview graph (see MainFrameEffects.cpp).
    bool ApplyReversal(int vertical, int horizontal, int mosaic);
    void ApplyZoom(int zoomOut);
    void ApplyPowerLineFrequency(int frequency);
    void ApplyPhotoFrame(const std::wstring& name);
    bool LoadFrameBitmap(const std::wstring& path);
    bool ApplyTextOverlay(const std::wstring& text, const CharFormatRecord& format);
    // Loads the frame-type menu (resource 314) when needed and lists the Effects folder's frames
    // in it, greyed unless FrameCommandsEnabled; returns its "Tray Menu" pop-up (null without the
    // resource).
    HMENU FillFrameTypeMenu();
    // The frame-type commands work only on a running preview while the effects page is closed.
    bool FrameCommandsEnabled() const;
    const MainFrameContext& Context() const { return context_; }

    CaptureGraph& Graph() { return graph_; }
    CStatusBar& StatusBar() { return statusBar_; }
    CSampleGrabberCB& SampleGrabber() { return grabberCallback_; }
    int VideoDeviceCount() const { return videoDeviceCount_; }
    int PropertyPosition() const { return propertyPosition_; }
    bool DeviceNotificationRegistered() const { return deviceNotification_ != nullptr; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra) override;

  protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs);
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnClose();
    afx_msg BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    afx_msg LRESULT OnGraphNotify(WPARAM, LPARAM);
    afx_msg LRESULT OnPhotoReady(WPARAM, LPARAM);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnTimer(UINT_PTR id);

    afx_msg void OnVideoDevice(UINT id);
    afx_msg void OnAudioDevice(UINT id);
    afx_msg void OnTakePhoto();
    afx_msg void OnCaptureStart();
    afx_msg void OnCaptureStop();
    afx_msg void OnSettings();
    afx_msg void OnEffects();
    afx_msg void OnPropertyPages(UINT id);
    afx_msg void OnFrameType(UINT id);
    afx_msg void OnCompany();
    afx_msg LRESULT OnContextMenu(WPARAM, LPARAM);

    afx_msg void OnUpdatePreviewOnly(CCmdUI* ui);
    afx_msg void OnUpdateCaptureStop(CCmdUI* ui);
    afx_msg void OnUpdateDevice(CCmdUI* ui);
    afx_msg void OnUpdateFrameType(CCmdUI* ui);

    DECLARE_MESSAGE_MAP()

  private:
    // GraphHost
    HWND GraphWindow() const override { return m_hWnd; }
    HWND VideoParent() const override { return view_.m_hWnd; }
    void ShowGraphMessage(const wchar_t* text) override;
    void OnCaptureFormat(int width, int height) override;
    ISampleGrabberCB* GrabberCallback() override { return &grabberCallback_; }
    void ApplyStoredSettings() override;
    void ClearStatusPane() override;
    void RefreshPropertyMenu() override { FillPropertyMenu(); }
    void RefreshDeviceTicks() override;

    void ReleaseGraph();
    void UnregisterDeviceNotification();
    HMENU Popup(int position) const;

    MainFrameContext context_;
    // The capture graph and the devices of the Device menu (slot i = command 32771 + i / 32781 + i).
    CaptureDeviceList videoDevices_, audioDevices_;
    int videoDeviceCount_ = 0;
    CaptureGraph graph_;
    CStatusBar statusBar_;
    CChildView view_;
    HICON icon_ = nullptr;
    ScopedMenu frameTypeMenu_;  // the frame-type pop-up; not loaded
    int propertyPosition_ = -1;
    HDEVNOTIFY deviceNotification_ = nullptr;
    CSampleGrabberCB grabberCallback_;
    // What the overlay and the reversal filter were last given: the text is drawn turned for the
    // flips and drawn again when they change.
    std::wstring shownText_;
    CharFormatRecord shownTextFormat_{};
    bool shownMirrored_ = false;
    bool shownUpsideDown_ = false;
};
