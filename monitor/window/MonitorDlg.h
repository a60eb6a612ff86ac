// CMonitorDlg: Orvello's main window (template 102), a skinned popup shaped by its bitmap. It owns
// the camera, the motion detector, the preview popup, the tray icon, the buttons and every frame
// buffer. The 50 ms tick (timer 1) takes a frame from the camera, doubles or stamps it and draws
// it in the preview; timer 3 blinks the lamps.
//
// The tick lives in monitor/tick (MonitorTick.cpp); recording, snapshots, motion, the settings
// dialogs and the tray are filled in by their own files (MonitorDlg*.cpp).
#pragma once

#include <memory>
#include <vector>

#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "framework/Handles.h"
#include "framework/Static.h"
#include "monitor/controls/SkinButton.h"
#include "monitor/libs/YsCapture/StillCapture.h"
#include "monitor/dialogs/MonitorDialogHost.h"
#include "monitor/libs/YsDetector/MovDetector.h"
#include "monitor/shell/SystemTray.h"

class CPreviewWnd;

class CMonitorDlg : public CDialog, public IMonitorDialogHost {
  public:
    static constexpr UINT_PTR kTickTimer = 1;
    static constexpr UINT kTickMilliseconds = 50;
    static constexpr UINT_PTR kLampTimer = 3;
    static constexpr UINT kLampMilliseconds = 618;
    static constexpr const char* kCaption = "Halmere";

    explicit CMonitorDlg(CWnd* parent = nullptr);
    ~CMonitorDlg() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    // Places the preview against the left edge of this window (or, while the preview waits to be
    // restored, only sizes it).
    void PlacePreview();
    // Sets the preview up for frames of the display size.
    void SetupPreview();

    // Reopens the camera for the display size now set (m_nDispWidth, m_nDispHeight): tick
    // stopped, preview placed and set up, zoom buffer made again, Release, pause, Init. On success
    // the tick runs again; on failure "Video capture device lost.Stopping capture!" and the tick
    // stays stopped until the next size change.
    bool ReopenCamera(int captureWidth, int captureHeight, bool zoom);
    // The same at the capture size and zoom that belong to m_nSizeMode.
    bool ReopenCameraAtDisplaySize();

    // State, in the order the window has always kept it.
    ScopedBitmap m_hSkin;      // skin bitmap 142 (360 x 355)
    HRGN m_hRegion = nullptr;  // given to the window, which owns it from then on
    CSystemTray m_tray;        // the icon in the notification area
    BYTE m_bBlink = 0;
    BYTE m_bInTray = 0;
    std::unique_ptr<CPreviewWnd> m_pPreview;
    BYTE m_bPlacing = 0;
    int m_nDispWidth = 320;
    int m_nDispHeight = 240;
    BYTE m_bPopupPreview = 0;
    BYTE m_bZoom = 0;
    std::unique_ptr<BYTE[]> m_pZoomBuf;
    BYTE m_bSnapRequest = 0;
    BYTE m_bShowTime = 0;
    BYTE m_bTimerShot = 0;
    float m_fTimerShotElapsed = 0;
    CString m_strTimerShotFile;
    char m_szModulePath[MAX_PATH] = {};
    BYTE m_bStop = 0;
    int m_nAviCounter = 0;
    BYTE m_bRecording = 0;
    BYTE m_bRecordAudio = 0;
    BYTE m_bAudioCompressorPresent = 0;
    DWORD m_dwTimerShotStart = 0;
    BYTE m_bDialogPause = 0;
    int m_nSizeMode = 0;
    std::unique_ptr<BYTE[]> m_pCamIcon;
    HWND m_hAlarmPlayer = nullptr;
    BYTE m_bMotionStill = 0;
    BYTE m_bNoAudioDevice = 0;
    BYTE m_bScanStarted = 0;
    BYTE m_bMotionOn = 0;
    BYTE m_bMotionIndicator = 0;
    BYTE m_nSensitivity = 30;
    std::unique_ptr<BYTE[]> m_pMask;
    std::unique_ptr<BYTE[]> m_pMotionOut;
    std::unique_ptr<BYTE[]> m_pTargetIcon;
    int m_nScanTick = 0;
    int m_nStillCount = 0;
    int m_nStillCooldown = 0;

    // Controls, bound by id.
    CSkinButton m_btnClose;              // 1046
    CSkinButton m_btnMinimize;           // 1054
    CComboBox m_cbAudioDevice;           // 1042
    CSkinButton m_btnAudioSettings;      // 1044
    CComboBox m_cbAudioCompressor;       // 1043
    CSkinButton m_btnRecordAudio;        // 1068
    CSkinButton m_btnVideoSettings;      // 1027
    CComboBox m_cbVideoCompressor;       // 1038
    CSkinButton m_btnSize[7];            // 1000 to 1005, 1071
    CSkinButton m_btnClock;              // 1008
    CSkinButton m_btnTimerShot;          // 1012
    CSkinButton m_btnSnapshot;           // 1009
    CSkinButton m_btnTimerShotSettings;  // 1036
    CSkinButton m_btnRecorder;           // 1056
    CSkinButton m_btnRecordLamp;         // 1057
    CSkinButton m_btnAbout;              // 1013
    CSkinButton m_btnAudioStrip;         // 1055
    CSkinButton m_btnMonitor;            // 1069
    CSkinButton m_btnMotionLamp;         // 1070
    CButton m_btnRecorderState;          // 1039: "Run recorder" or "Stop recorder"
    CStatic m_stPicture;                 // 1014

    CStillCapture m_capture;
    CString m_strDeviceLabel;  // static 1017
    CString m_strAviFile;      // edit 1040
    CMovDetector m_detector;
    HICON m_hIcon = nullptr;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}

    // Window messages.
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnEraseBkgnd(HDC dc);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnTrayCallback(WPARAM wParam, LPARAM lParam);

    // Buttons and commands.
    afx_msg void OnCloseButton();            // 1046 and the tray's Exit
    afx_msg void OnMinimizeToTray();         // 1054
    afx_msg void OnTrayShow();               // tray "Show"
    afx_msg void OnSizeButton(UINT id);      // 1000 to 1005, 1071
    afx_msg void OnClock();                  // 1008
    afx_msg void OnTimerShot();              // 1012
    afx_msg void OnAbout();                  // 1013
    afx_msg void OnVideoCompressorChange();  // 1038
    afx_msg void OnSnapshot();               // 1009
    afx_msg void OnRecorder();               // 1056
    afx_msg void OnRecordAudio();            // 1068
    afx_msg void OnAudioSettings();          // 1044
    afx_msg void OnVideoSettings();          // 1027
    afx_msg void OnTimerShotSettings();      // 1036
    afx_msg void OnMonitor();                // 1069
    DECLARE_MESSAGE_MAP()

  public:
    // The tick (monitor/tick).
    void FrameTick();
    void LampTick();
    void StampOverlays(BYTE* frame, int width, int height);
    void RecoverCamera();
    // Answers a raised dialog pause once: the tick rests 250 ms and runs on.
    void AnswerDialogPause(bool lampTimerToo);

    // Recording (locks or unlocks the controls around a recording).
    void ControlLock(BOOL enable);

    // What the settings dialogs ask of this window (MonitorDlgMotion.cpp): the dialog pause and the
    // alarm preview player m_hAlarmPlayer.
    void SetDialogPause(bool pause) override;
    void OpenAlarmPreview() override;
    void PlayAlarmPreview() override;
    void StopAlarmPreview() override;

    // Motion watching: set-up after a size change, the per-tick step and the motion still.
    void SetupMotion();
    BYTE* MotionStep(BYTE* frame);
    void WriteMotionStill(const BYTE* frame);
    void ShowMotionLamp(bool on);
    void SetMonitorButtonLit(bool lit);

    // Tray icon.
    void CreateTrayIcon();
    void ForwardTrayNotify(WPARAM wParam, LPARAM lParam);
    void MoveToTray();
    void RestoreFromTray();
    void EnableTrayShow(BOOL enable);
    void RemoveTrayIcon();

    // Pictures and tooltips of the buttons; positions come from the layout.
    void PlaceControls();
    void DressButtons();

    // Message box captioned "Halmere".
    int Message(const CString& text, UINT type = MB_OK);

    // The file the tick writes a requested snapshot to.
    static CString SnapshotTempPath();

  private:
    void FillLists();
    void BuildSkin();
    void CreatePreview();
    void AllocateZoomBuffer();
};
