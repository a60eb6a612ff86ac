#include "monitor/window/MonitorDlg.h"

#include <string>

#include "framework/DataExchange.h"
#include "monitor/app/AboutDlg.h"
#include "monitor/app/CounterFile.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/app/ProgramFolder.h"
#include "monitor/app/SplashDlg.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/resources/MonitorIds.h"
#include "monitor/resources/artwork/ArtworkIds.h"
#include "monitor/tick/TickClock.h"
#include "monitor/window/ListChoice.h"
#include "monitor/window/PreviewPlacement.h"
#include "monitor/window/PreviewWnd.h"
#include "monitor/window/SizeModes.h"

BEGIN_MESSAGE_MAP(CMonitorDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(WM_TRAY_CALLBACK, &CMonitorDlg::OnTrayCallback)
ON_BN_CLICKED(IDC_CLOSE, &CMonitorDlg::OnCloseButton)
ON_COMMAND(ID_TRAY_EXIT, &CMonitorDlg::OnCloseButton)
ON_BN_CLICKED(IDC_MINIMIZE, &CMonitorDlg::OnMinimizeToTray)
ON_COMMAND(ID_TRAY_SHOW, &CMonitorDlg::OnTrayShow)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SIZE_320, IDC_SIZE_1600, &CMonitorDlg::OnSizeButton)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SIZE_1600B, IDC_SIZE_1600B, &CMonitorDlg::OnSizeButton)
ON_BN_CLICKED(IDC_CLOCK, &CMonitorDlg::OnClock)
ON_BN_CLICKED(IDC_TIMER_SHOT, &CMonitorDlg::OnTimerShot)
ON_BN_CLICKED(IDC_ABOUT, &CMonitorDlg::OnAbout)
ON_CBN_SELCHANGE(IDC_VIDEO_COMPRESSOR, &CMonitorDlg::OnVideoCompressorChange)
ON_BN_CLICKED(IDC_SNAPSHOT, &CMonitorDlg::OnSnapshot)
ON_BN_CLICKED(IDC_RECORDER, &CMonitorDlg::OnRecorder)
ON_BN_CLICKED(IDC_RECORD_AUDIO, &CMonitorDlg::OnRecordAudio)
ON_BN_CLICKED(IDC_AUDIO_SETTINGS, &CMonitorDlg::OnAudioSettings)
ON_BN_CLICKED(IDC_VIDEO_SETTINGS, &CMonitorDlg::OnVideoSettings)
ON_BN_CLICKED(IDC_TIMER_SHOT_SETTINGS, &CMonitorDlg::OnTimerShotSettings)
ON_BN_CLICKED(IDC_MONITOR, &CMonitorDlg::OnMonitor)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kSkinKey = 0x00FF00;
constexpr COLORREF kSkinTolerance = 0x101010;

void ShowCursor(LPCTSTR cursor) {
    ::SetCursor(::LoadCursor(nullptr, cursor));
}

std::vector<std::string> ComboTexts(const CComboBox& combo) {
    std::vector<std::string> texts;
    const int count = combo.GetCount();
    for (int i = 0; i < count; ++i) {
        CString text;
        combo.GetLBText(i, text);
        texts.emplace_back(text.GetString());
    }
    return texts;
}

// A bitmap resource copied into a new BGR buffer.
std::unique_ptr<BYTE[]> LoadPixels(int id) {
    ScopedBitmap bitmap(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(id)));
    if (!bitmap) {
        ::OutputDebugStringA("Orvello: a picture resource is missing\n");
        return nullptr;
    }
    return std::unique_ptr<BYTE[]>(YsVideoBmp(bitmap.Get()));
}

}  // namespace

CMonitorDlg::CMonitorDlg(CWnd* parent) : CDialog(IDD_MONITOR, parent) {
    ResetMonitorSettings();
    m_hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_ICON_PROGRAM));
}

CMonitorDlg::~CMonitorDlg() = default;

void CMonitorDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_CLOSE, m_btnClose);
    DDX_Control(dx, IDC_MINIMIZE, m_btnMinimize);
    DDX_Control(dx, IDC_AUDIO_DEVICE, m_cbAudioDevice);
    DDX_Control(dx, IDC_AUDIO_SETTINGS, m_btnAudioSettings);
    DDX_Control(dx, IDC_AUDIO_COMPRESSOR, m_cbAudioCompressor);
    DDX_Control(dx, IDC_RECORD_AUDIO, m_btnRecordAudio);
    DDX_Control(dx, IDC_VIDEO_SETTINGS, m_btnVideoSettings);
    DDX_Control(dx, IDC_VIDEO_COMPRESSOR, m_cbVideoCompressor);
    for (int i = 0; i < 7; ++i) DDX_Control(dx, monitor::kSizeButtonIds[i], m_btnSize[i]);
    DDX_Control(dx, IDC_CLOCK, m_btnClock);
    DDX_Control(dx, IDC_TIMER_SHOT, m_btnTimerShot);
    DDX_Control(dx, IDC_SNAPSHOT, m_btnSnapshot);
    DDX_Control(dx, IDC_TIMER_SHOT_SETTINGS, m_btnTimerShotSettings);
    DDX_Control(dx, IDC_RECORDER, m_btnRecorder);
    DDX_Control(dx, IDC_RECORD_LAMP, m_btnRecordLamp);
    DDX_Control(dx, IDC_ABOUT, m_btnAbout);
    DDX_Control(dx, IDC_AUDIO_STRIP, m_btnAudioStrip);
    DDX_Control(dx, IDC_MONITOR, m_btnMonitor);
    DDX_Control(dx, IDC_MOTION_LAMP, m_btnMotionLamp);
    DDX_Control(dx, IDC_RECORDER_STATE, m_btnRecorderState);
    DDX_Control(dx, IDC_PICTURE, m_stPicture);
    DDX_Text(dx, IDC_DEVICE_LABEL, m_strDeviceLabel);
    DDX_Text(dx, IDC_AVI_FILE, m_strAviFile);
}

int CMonitorDlg::Message(const CString& text, UINT type) {
    return MessageBox(text, kCaption, type);
}

BOOL CMonitorDlg::PreTranslateMessage(MSG* msg) {
    // Enter and Escape would end the dialog: the main window ignores them.
    if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

BOOL CMonitorDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetSystemMenu(FALSE);
    SetWindowText(kCaption);  // the taskbar's name for the window
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_capture.m_strDeviceKey = "CAM";
    if (!m_capture.Init(0, 320, 240)) {
        Message("Not found video capture device!");
        m_capture.Release();
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_strDeviceLabel = m_capture.m_strDevice.c_str();
    UpdateData(FALSE);

    // The counter file holds the number of the next AVI file.
    const CString folder = ProgramFolder();
    ReadCounter(m_nAviCounter, (folder + "\\brenik.inf").GetString());
    m_strAviFile.Format("%s\\brenik-%05d.avi", folder.GetString(), m_nAviCounter);
    aviPath = m_strAviFile;
    UpdateData(FALSE);

    FillLists();

    AllocateZoomBuffer();
    RECT picture;
    m_stPicture.GetWindowRect(&picture);
    ScreenToClient(&picture);
    ::SetWindowPos(m_stPicture.m_hWnd, nullptr, picture.left, picture.top, m_nDispWidth + 6,
                   m_nDispHeight + 6, SWP_NOZORDER | SWP_NOACTIVATE);

    BuildSkin();
    PlaceControls();
    DressButtons();
    m_btnSize[0].SetCheck(BST_CHECKED);

    // The preview will sit to the left: move right by half its width.
    RECT window;
    GetWindowRect(&window);
    MoveWindow(window.left + m_nDispWidth / 2, window.top, window.right - window.left,
               window.bottom - window.top);

    CSplashDlg splash(this);
    splash.DoModal();

    CreateTrayIcon();
    if (!m_pPreview) CreatePreview();
    SetTimer(kTickTimer, kTickMilliseconds);
    return TRUE;
}

void CMonitorDlg::FillLists() {
    m_cbVideoCompressor.ResetContent();
    m_capture.AddCompressorsToList(m_cbVideoCompressor.m_hWnd);
    videoCompressorIndex =
        monitor::ChooseListEntry(ComboTexts(m_cbVideoCompressor), {"DIVX", "INTEL INDEO(R)"});
    m_cbVideoCompressor.SetCurSel(videoCompressorIndex);

    m_cbAudioDevice.ResetContent();
    if (!m_capture.AddAudioDeviceToList(m_cbAudioDevice.m_hWnd)) {
        m_cbAudioDevice.AddString("None");
        m_btnRecordAudio.EnableWindow(FALSE);
        m_bNoAudioDevice = 1;
    }
    m_cbAudioDevice.SetCurSel(0);
    audioDeviceIndex = 0;

    m_cbAudioCompressor.ResetContent();
    if (m_capture.AddAudioCompressorsToList(m_cbAudioCompressor.m_hWnd)) {
        m_bAudioCompressorPresent = 1;
    } else {
        m_cbAudioCompressor.AddString("None");
        m_bAudioCompressorPresent = 0;
    }
    audioCompressorIndex = monitor::ChooseListEntry(ComboTexts(m_cbAudioCompressor), {"PCM"});
    m_cbAudioCompressor.SetCurSel(audioCompressorIndex);
}

void CMonitorDlg::AllocateZoomBuffer() {
    m_pZoomBuf.reset();
    m_pZoomBuf.reset(new BYTE[static_cast<size_t>(m_nDispWidth) * static_cast<size_t>(m_nDispHeight) * 3]);
}

void CMonitorDlg::BuildSkin() {
    m_pCamIcon = LoadPixels(ORV_BMP_CAMERA_ICON);
    m_pTargetIcon = LoadPixels(ORV_BMP_TARGET_ICON);
    m_hSkin.Reset(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_BMP_SKIN)));
    if (m_hSkin) {
        BITMAP info = {};
        ::GetObject(m_hSkin.Get(), sizeof info, &info);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, info.bmWidth, info.bmHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_hRegion = BitmapToRegion(m_hSkin.Get(), kSkinKey, kSkinTolerance);
        if (m_hRegion) SetWindowRgn(m_hRegion, TRUE);
    } else {
        ::OutputDebugStringA("Orvello: the skin bitmap is missing\n");
    }
    CenterWindow();
}

void CMonitorDlg::CreatePreview() {
    auto preview = std::make_unique<CPreviewWnd>();
    if (!preview->Create(this)) {
        ::OutputDebugStringA("Orvello: the preview window could not be created\n");
        return;
    }
    m_pPreview = std::move(preview);
    PlacePreview();
    m_pPreview->ShowWindow(SW_SHOW);
    m_pPreview->Setup(m_pPreview->OwnDc(), m_nDispWidth, m_nDispHeight);
    m_stPicture.ShowWindow(SW_HIDE);
    m_bPopupPreview = 1;
}

void CMonitorDlg::PlacePreview() {
    if (m_bPlacing || !m_pPreview || !m_pPreview->m_hWnd) return;
    m_bPlacing = 1;
    if (previewRestore) {
        // Minimised: only the size changes, frame included, until the user restores it.
        ::SetWindowPos(m_pPreview->m_hWnd, nullptr, 0, 0, m_nDispWidth, m_nDispHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RECT main, window, client;
        GetWindowRect(&main);
        m_pPreview->GetWindowRect(&window);
        m_pPreview->GetClientRect(&client);
        const int frameWidth = (window.right - window.left) - (client.right - client.left);
        const int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
        const monitor::WindowBox box =
            monitor::PlacePreviewBeside({main.left, main.top, main.right - main.left, main.bottom - main.top},
                                        frameWidth, frameHeight, m_nDispWidth, m_nDispHeight);
        ::SetWindowPos(m_pPreview->m_hWnd, nullptr, box.left, box.top, box.width, box.height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_bPlacing = 0;
}

void CMonitorDlg::SetupPreview() {
    if (m_pPreview && m_pPreview->m_hWnd) m_pPreview->Setup(m_pPreview->OwnDc(), m_nDispWidth, m_nDispHeight);
}

void CMonitorDlg::OnSizeButton(UINT id) {
    const monitor::SizeMode* mode = monitor::FindSizeMode(static_cast<int>(id));
    if (!mode) return;
    m_nDispWidth = mode->displayWidth;
    m_nDispHeight = mode->displayHeight;
    m_nSizeMode = mode->sizeMode;
    ReopenCamera(mode->captureWidth, mode->captureHeight, mode->zoom);
}

bool CMonitorDlg::ReopenCameraAtDisplaySize() {
    const monitor::SizeMode* mode = monitor::FindSizeModeByIndex(m_nSizeMode);
    if (mode && mode->displayWidth == m_nDispWidth && mode->displayHeight == m_nDispHeight)
        return ReopenCamera(mode->captureWidth, mode->captureHeight, mode->zoom);
    return ReopenCamera(m_nDispWidth, m_nDispHeight, false);
}

bool CMonitorDlg::ReopenCamera(int captureWidth, int captureHeight, bool zoom) {
    m_bStop = 1;
    KillTimer(kTickTimer);
    ShowCursor(IDC_WAIT);
    tick::Pause(150);
    m_bZoom = 0;

    PlacePreview();
    SetupPreview();
    AllocateZoomBuffer();

    m_capture.Release();
    tick::Pause(250);
    if (m_capture.Init(0, captureWidth, captureHeight)) {
        SetupMotion();
        m_bStop = 0;
        m_bZoom = zoom ? 1 : 0;
        ShowCursor(IDC_APPSTARTING);
        SetTimer(kTickTimer, kTickMilliseconds);
        return true;
    }
    Message("Video capture device lost.Stopping capture!");
    m_capture.Release();
    m_pZoomBuf.reset();
    return false;
}

void CMonitorDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == 0x0010) return;
    CDialog::OnSysCommand(id, lParam);
}

void CMonitorDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
}

HCURSOR CMonitorDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

BOOL CMonitorDlg::OnEraseBkgnd(HDC dc) {
    if (!m_hSkin) return CDialog::OnEraseBkgnd(dc);
    ScopedDc memory(::CreateCompatibleDC(dc));
    if (!memory) return CDialog::OnEraseBkgnd(dc);
    BITMAP info = {};
    ::GetObject(m_hSkin.Get(), sizeof info, &info);
    ScopedSelect select(memory.Get(), m_hSkin.Get());
    ::BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory.Get(), 0, 0, SRCCOPY);
    return TRUE;
}

LRESULT CMonitorDlg::OnNcHitTest(CPoint point) {
    // The window is dragged by its face.
    const LRESULT hit = CDialog::OnNcHitTest(point);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

BOOL CMonitorDlg::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) {
    char className[16] = {};
    if (wnd && wnd->m_hWnd && ::GetClassNameA(wnd->m_hWnd, className, sizeof className) &&
        ::lstrcmpiA(className, "Button") == 0) {
        ::SetCursor(::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(ORV_CURSOR_BUTTON)));
        return TRUE;
    }
    return CDialog::OnSetCursor(wnd, hitTest, message);
}

void CMonitorDlg::OnTimer(UINT_PTR id) {
    if (id == kTickTimer) {
        FrameTick();
    } else if (id == kLampTimer) {
        LampTick();
    } else {
        CDialog::OnTimer(id);
    }
}

LRESULT CMonitorDlg::OnTrayCallback(WPARAM wParam, LPARAM lParam) {
    if (static_cast<UINT>(lParam) == WM_LBUTTONDBLCLK && m_bInTray) {
        RestoreFromTray();
        EnableTrayShow(FALSE);
        m_bInTray = 0;
        return 0;
    }
    ForwardTrayNotify(wParam, lParam);
    return 0;
}

void CMonitorDlg::OnCloseButton() {
    m_bStop = 1;
    DestroyWindow();
}

void CMonitorDlg::OnMinimizeToTray() {
    m_bDialogPause = 1;
    MoveToTray();
    EnableTrayShow(TRUE);
    m_bInTray = 1;
    m_bDialogPause = 0;
}

void CMonitorDlg::OnTrayShow() {
    m_bDialogPause = 1;
    RestoreFromTray();
    EnableTrayShow(FALSE);
    m_bInTray = 0;
    m_bDialogPause = 0;
}

void CMonitorDlg::OnAbout() {
    m_bDialogPause = 1;
    CAboutDlg about(this);
    about.DoModal();
    m_bDialogPause = 0;
}

void CMonitorDlg::OnVideoCompressorChange() {
    UpdateData(TRUE);
}

void CMonitorDlg::OnDestroy() {
    CDialog::OnDestroy();
    m_bStop = 1;
    KillTimer(kTickTimer);
    m_capture.Release();
    if (m_pPreview) {
        m_pPreview->DestroyWindow();
        m_pPreview.reset();
    }
    m_pZoomBuf.reset();
    m_hSkin.Reset();
    m_hRegion = nullptr;  // the window owns its region
    RemoveTrayIcon();
    m_bBlink = 0;
    KillTimer(kLampTimer);
    m_pCamIcon.reset();
    m_pTargetIcon.reset();
    m_pMask.reset();
    m_pMotionOut.reset();
    m_detector.Release();
}
