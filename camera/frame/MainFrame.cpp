#include "camera/frame/MainFrame.h"

#include <dbt.h>

#include "camera/app/resource.h"
#include "camera/frame/CompanyDlg.h"
#include "camera/frame/SettingsSheets.h"
#include "camera/libs/PelUtility/PelLang.h"
#include "camera/libs/PelUtility/ZelParser.h"
#include "camera/photo/PhotoCapture.h"
#include "camera/resources/SizeLists.h"
#include "camera/settings/CameraSettings.h"
#include "camera/settings/SettingsStore.h"
#include "framework/CmdUI.h"
#include "framework/FileDialog.h"
#include "framework/WinApp.h"

namespace {

// AM_KSCATEGORY_CAPTURE: the device interface class of capture devices.
constexpr GUID kCaptureInterfaceClass = {
    0x65E8773D, 0x8F56, 0x11D0, {0xA3, 0xB9, 0x00, 0xA0, 0xC9, 0x22, 0x31, 0x96}};

constexpr DWORD kFrameStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;  // 0x00CB0000
constexpr int kDevicePopup = 1;
constexpr int kOptionPopup = 3;
constexpr int kHelpPopup = 4;
constexpr int kStatusBarAllowance = 23;  // status bar and view edges, when they cannot be measured

}  // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_SETFOCUS()
ON_WM_CLOSE()
ON_WM_DEVICECHANGE()
ON_MESSAGE(WM_GRAPHNOTIFY, &CMainFrame::OnGraphNotify)
ON_MESSAGE(WM_PHOTOREADY, &CMainFrame::OnPhotoReady)
ON_WM_SIZE()
ON_WM_TIMER()
ON_COMMAND_RANGE(ID_VIDEO_DEVICE_FIRST, ID_VIDEO_DEVICE_LAST, &CMainFrame::OnVideoDevice)
ON_COMMAND_RANGE(ID_AUDIO_DEVICE_FIRST, ID_AUDIO_DEVICE_LAST, &CMainFrame::OnAudioDevice)
ON_COMMAND(ID_TAKE_PHOTO, &CMainFrame::OnTakePhoto)
ON_COMMAND(ID_CAPTURE_START, &CMainFrame::OnCaptureStart)
ON_COMMAND(ID_CAPTURE_STOP, &CMainFrame::OnCaptureStop)
ON_COMMAND(ID_SETTINGS, &CMainFrame::OnSettings)
ON_COMMAND(ID_EFFECTS, &CMainFrame::OnEffects)
ON_COMMAND_RANGE(ID_PROPERTY_FIRST, ID_PROPERTY_LAST, &CMainFrame::OnPropertyPages)
ON_COMMAND_RANGE(ID_FRAME_TYPE_FIRST, ID_FRAME_TYPE_LAST, &CMainFrame::OnFrameType)
ON_COMMAND(ID_COMPANY, &CMainFrame::OnCompany)
ON_MESSAGE(WM_CONTEXTMENU, &CMainFrame::OnContextMenu)
ON_UPDATE_COMMAND_UI(ID_TAKE_PHOTO, &CMainFrame::OnUpdatePreviewOnly)
ON_UPDATE_COMMAND_UI(ID_CAPTURE_START, &CMainFrame::OnUpdatePreviewOnly)
ON_UPDATE_COMMAND_UI(ID_SETTINGS, &CMainFrame::OnUpdatePreviewOnly)
ON_UPDATE_COMMAND_UI(ID_EFFECTS, &CMainFrame::OnUpdatePreviewOnly)
ON_UPDATE_COMMAND_UI_RANGE(ID_PROPERTY_FIRST, ID_PROPERTY_LAST, &CMainFrame::OnUpdatePreviewOnly)
ON_UPDATE_COMMAND_UI(ID_CAPTURE_STOP, &CMainFrame::OnUpdateCaptureStop)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIDEO_DEVICE_FIRST, ID_AUDIO_DEVICE_LAST, &CMainFrame::OnUpdateDevice)
ON_UPDATE_COMMAND_UI_RANGE(ID_FRAME_TYPE_FIRST, ID_FRAME_TYPE_LAST, &CMainFrame::OnUpdateFrameType)
END_MESSAGE_MAP()

CMainFrame::CMainFrame(MainFrameContext context) : context_(std::move(context)), graph_(*this) {}

CMainFrame::~CMainFrame() {
    // A frame destroyed without WM_CLOSE still lets go of its graph before the callback goes.
    ReleaseGraph();
    graph_.ReleaseMonikers();
    videoDevices_.Clear();
    audioDevices_.Clear();
}

void CMainFrame::ReleaseGraph() {
    graph_.HaltGraph();
    graph_.DismantleGraph();
    graph_.ReleaseCaptureFilters();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    cs.style = kFrameStyle;
    cs.cx = 640;
    cs.cy = 480;
    cs.lpszClass = AfxRegisterWndClass(0);
    return TRUE;
}

BOOL CMainFrame::OnCmdMsg(UINT id, int code, void* extra) {
    // The view is asked first, then the frame (and the application).
    return CFrameWnd::OnCmdMsg(id, code, extra);
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
    if (CFrameWnd::OnCreate(cs) == -1) return -1;
    if (!view_.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                      AFX_IDW_PANE_FIRST)) {
        OutputDebugStringW(L"CMainFrame: the view was not created\n");
        return -1;
    }
    view_.ModifyStyle(0, WS_CLIPCHILDREN);
    static const UINT indicators[] = {IDS_STATUS_CAMERA};
    if (!statusBar_.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !statusBar_.SetIndicators(indicators, 1)) {
        OutputDebugStringW(L"CMainFrame: the status bar was not created\n");
        return -1;
    }
    icon_ = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    SetIcon(icon_, TRUE);
    SetIcon(icon_, FALSE);
    SetWindowText(kStatusCameraText);
    TranslateMainMenu();
    if (HMENU menu = GetMenu()) {
        ::DeleteMenu(menu, kHelpPopup, MF_BYPOSITION);
        DrawMenuBar();
    }
    FillDeviceMenu();
    SelectDefaultDevices();

    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kCaptureInterfaceClass;
    deviceNotification_ = ::RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!deviceNotification_) OutputDebugStringW(L"CMainFrame: no device notifications\n");
    return 0;
}

void CMainFrame::OnSetFocus(CWnd*) {
    if (view_.m_hWnd) view_.SetFocus();
}

void CMainFrame::UnregisterDeviceNotification() {
    if (deviceNotification_) {
        ::UnregisterDeviceNotification(deviceNotification_);
        deviceNotification_ = nullptr;
    }
}

void CMainFrame::OnClose() {
    UnregisterDeviceNotification();
    ReleaseGraph();
    CFrameWnd::OnClose();
}

HMENU CMainFrame::Popup(int position) const {
    HMENU menu = GetMenu();
    return menu ? ::GetSubMenu(menu, position) : nullptr;
}

void CMainFrame::TranslateMainMenu() {
    HMENU menu = GetMenu();
    if (!menu) return;
    CPelLang* language = CPelLang::GetInstance();
    static const wchar_t* const popupKeys[] = {L"File", L"Device", L"Capture", L"Option", L"Help"};
    for (int position = 0; position < 5; ++position) {
        const std::wstring text = language->GetLangString(L"MainMenu", popupKeys[position]);
        if (text.empty()) continue;
        // Only the text changes: the pop-up stays attached to its item.
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING;
        item.dwTypeData = const_cast<wchar_t*>(text.c_str());
        ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item);
    }
    struct Item {
        int popup;
        UINT id;
    };
    static const Item items[] = {{0, ID_APP_EXIT},   {2, ID_CAPTURE_START}, {2, ID_CAPTURE_STOP},
                                 {2, ID_TAKE_PHOTO}, {3, ID_SETTINGS},      {3, ID_EFFECTS},
                                 {4, ID_APP_ABOUT}};
    for (const Item& item : items) {
        HMENU popup = ::GetSubMenu(menu, item.popup);
        if (!popup) continue;
        const std::wstring text = language->GetLangString(L"MainMenu", static_cast<int>(item.id));
        if (text.empty()) continue;
        ::ModifyMenuW(popup, item.id, MF_BYCOMMAND | MF_STRING, item.id, text.c_str());
    }
    DrawMenuBar();
}

void CMainFrame::FillDeviceMenu() {
    HMENU devices = Popup(kDevicePopup);
    if (!devices) return;
    while (::GetMenuItemCount(devices) > 0) {
        if (!::RemoveMenu(devices, 0, MF_BYPOSITION)) break;
    }
    videoDevices_.Clear();
    audioDevices_.Clear();
    videoDeviceCount_ = 0;
    const UINT grey = graph_.State() == Capturing ? MF_GRAYED : 0;

    if (!videoDevices_.Enumerate(CaptureDeviceList::Category::Video)) return;
    for (int slot = 0; slot < videoDevices_.Count(); ++slot) {
        if (!videoDevices_.HasName(slot)) continue;
        const UINT tick = videoDevices_.IsSame(slot, graph_.CurrentVideoMoniker()) ? MF_CHECKED : 0;
        ::AppendMenuW(devices, MF_STRING | tick | grey, ID_VIDEO_DEVICE_FIRST + slot,
                      videoDevices_.Name(slot).c_str());
    }
    videoDeviceCount_ = videoDevices_.Count();
    if (videoDeviceCount_ > 0) ::AppendMenuW(devices, MF_SEPARATOR, 0, nullptr);

    audioDevices_.Enumerate(CaptureDeviceList::Category::Audio);
    for (int slot = 0; slot < audioDevices_.Count(); ++slot) {
        if (!audioDevices_.HasName(slot)) continue;
        const UINT tick = audioDevices_.IsSame(slot, graph_.CurrentAudioMoniker()) ? MF_CHECKED : 0;
        ::AppendMenuW(devices, MF_STRING | tick | grey, ID_AUDIO_DEVICE_FIRST + slot,
                      audioDevices_.Name(slot).c_str());
    }
}

void CMainFrame::SelectDefaultDevices() {
    if (videoDeviceCount_ == 0) return;
    graph_.SelectCaptureDevices(videoDevices_.Moniker(0), audioDevices_.Moniker(0));
}

void CMainFrame::RefreshDeviceTicks() {
    HMENU devices = Popup(kDevicePopup);
    if (!devices) return;
    for (int slot = 0; slot < CaptureDeviceList::kMaxDevices; ++slot) {
        if (videoDevices_.Moniker(slot)) {
            const bool on = videoDevices_.IsSame(slot, graph_.CurrentVideoMoniker());
            ::CheckMenuItem(devices, ID_VIDEO_DEVICE_FIRST + slot,
                            MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        }
        if (audioDevices_.Moniker(slot)) {
            const bool on = audioDevices_.IsSame(slot, graph_.CurrentAudioMoniker());
            ::CheckMenuItem(devices, ID_AUDIO_DEVICE_FIRST + slot,
                            MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
        }
    }
}

BOOL CMainFrame::OnDeviceChange(UINT event, DWORD_PTR data) {
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return CFrameWnd::OnDeviceChange(event, data);
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
        reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_classguid ==
            kCaptureInterfaceClass) {
        FillDeviceMenu();
        if (event == DBT_DEVICEARRIVAL && graph_.State() == Idle) SelectDefaultDevices();
    }
    return TRUE;
}

void CMainFrame::FillPropertyMenu() {
    HMENU option = Popup(kOptionPopup);
    if (!option) return;
    for (int i = 0; i < 10; ++i) ::DeleteMenu(option, 2, MF_BYPOSITION);
    ::AppendMenuW(option, MF_SEPARATOR, 0, nullptr);
    propertyPosition_ = -1;
    if (graph_.HasPropertyPages()) {
        const wchar_t* text =
            GetSystemDefaultLangID() == 0x0804 ? L"\x89C6\x9891\x5C5E\x6027..." : L"Video Capture Filter...";
        ::AppendMenuW(option, MF_STRING, ID_PROPERTY_FIRST, text);
        propertyPosition_ = 0;
    }
}

void CMainFrame::OnPropertyPages(UINT id) {
    if (propertyPosition_ >= 0 && id == static_cast<UINT>(ID_PROPERTY_FIRST + propertyPosition_))
        graph_.ShowPropertyPages(m_hWnd);
}

void CMainFrame::ResizeToDisplaySize() {
    if (!m_hWnd) return;
    const SizeListEntry size =
        OutputSizeOrVideo(CameraSettings.displaySize, graph_.VideoWidth(), graph_.VideoHeight());
    RECT viewClient{};
    if (view_.m_hWnd) view_.GetClientRect(&viewClient);
    if (viewClient.right == size.width && viewClient.bottom == size.height) return;
    RECT window{}, client{};
    GetWindowRect(&window);
    GetClientRect(&client);
    const int width =
        (window.right - window.left - client.right) + size.width + 2 * GetSystemMetrics(SM_CXEDGE);
    // Below and around the view: the status bar and the view's sunken edge (23 pixels with the
    // classic metrics; measured, so that the view gets exactly the output size everywhere).
    int allowance = kStatusBarAllowance;
    if (view_.m_hWnd && statusBar_.m_hWnd) {
        RECT bar{}, edges{0, 0, 0, 0};
        statusBar_.GetWindowRect(&bar);
        ::AdjustWindowRectEx(&edges, view_.GetStyle(), FALSE, view_.GetExStyle());
        allowance = (bar.bottom - bar.top) + (edges.bottom - edges.top);
    }
    const int height = (window.bottom - window.top - client.bottom) + size.height + allowance;
    SetWindowPos(nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    CenterWindow();
}

void CMainFrame::UpdateStatusPane() {
    switch (graph_.QueryStatusPane()) {
        case CaptureGraph::StatusPane::Clear:
            statusBar_.SetPaneText(0, L"");
            break;
        case CaptureGraph::StatusPane::CameraName:
            statusBar_.SetPaneText(0, kStatusCameraText);
            break;
        case CaptureGraph::StatusPane::Unchanged:
            break;
    }
}

void CMainFrame::OnTimer(UINT_PTR id) {
    UpdateStatusPane();
    CFrameWnd::OnTimer(id);
}

void CMainFrame::OnSize(UINT type, int cx, int cy) {
    CFrameWnd::OnSize(type, cx, cy);
    if (view_.m_hWnd) {
        RECT client{};
        view_.GetClientRect(&client);
        graph_.FitVideoWindow(client.right, client.bottom);
    }
}

LRESULT CMainFrame::OnGraphNotify(WPARAM, LPARAM) {
    return graph_.OnGraphNotify();
}

void CMainFrame::ShowGraphMessage(const wchar_t* text) {
    MessageBox(text, nullptr, MB_OK);
}

void CMainFrame::OnCaptureFormat(int width, int height) {
    grabberCallback_.SetSize(m_hWnd, width, height);
    ResizeToDisplaySize();
}

void CMainFrame::ClearStatusPane() {
    if (statusBar_.m_hWnd) statusBar_.SetPaneText(0, L"");
}

void CMainFrame::OnVideoDevice(UINT id) {
    graph_.SelectCaptureDevices(videoDevices_.Moniker(static_cast<int>(id - ID_VIDEO_DEVICE_FIRST)),
                                graph_.CurrentAudioMoniker());
}

void CMainFrame::OnAudioDevice(UINT id) {
    graph_.SelectCaptureDevices(graph_.CurrentVideoMoniker(),
                                audioDevices_.Moniker(static_cast<int>(id - ID_AUDIO_DEVICE_FIRST)));
}

// Photos and recording.

void CMainFrame::PreparePhotoBuffer() {
    ::PreparePhotoBuffer(ProcessPhotoBuffer(), CameraSettings.photoSize);
}

void CMainFrame::OnTakePhoto() {
    grabberCallback_.ShotOne();
}

LRESULT CMainFrame::OnPhotoReady(WPARAM, LPARAM) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const SavedPhoto photo =
        SavePhoto(grabberCallback_, ProcessPhotoBuffer(), CameraSettings.albumFolder, m_hWnd, now);
    if (!photo.written) MessageBox(PhotoNotWrittenMessage(photo.path).c_str(), nullptr, MB_OK);
    return 1;
}

void CMainFrame::OnCaptureStart() {
    CFileDialog dialog(FALSE, L"*.avi", nullptr, OFN_HIDEREADONLY, L"AVI File(*.avi)|*.avi||");
    if (dialog.DoModal() != IDOK) return;
    graph_.StartRecording(static_cast<const wchar_t*>(dialog.GetPathName()));
}

void CMainFrame::OnCaptureStop() {
    graph_.HaltGraph();
    if (graph_.CaptureGraphBuilt()) graph_.DismantleGraph();
    graph_.AssemblePreviewGraph();
    graph_.RunPreview();
}

// Sheets and dialogs.

void CMainFrame::OnSettings() {
    RunSheetCommand(*this, ID_SETTINGS);
}

void CMainFrame::OnEffects() {
    RunSheetCommand(*this, ID_EFFECTS);
}

void CMainFrame::OnCompany() {
    CCompanyDlg dialog(this);
    dialog.DoModal();
}

void CMainFrame::OnFrameType(UINT id) {
    if (!FrameCommandsEnabled()) return;  // a command that was greyed when it was chosen
    std::wstring name;
    if (id != ID_FRAME_TYPE_FIRST) {
        // The frame names are the items of the first pop-up inside the frame-type menu.
        HMENU outer = frameTypeMenu_ ? ::GetSubMenu(frameTypeMenu_.Get(), 0) : nullptr;
        HMENU inner = outer ? ::GetSubMenu(outer, 0) : nullptr;
        wchar_t text[MAX_PATH] = {};
        if (!inner || ::GetMenuStringW(inner, id - ID_FRAME_TYPE_FIRST, text, MAX_PATH, MF_BYPOSITION) <= 0)
            return;
        name = text;
    }
    CameraSettings.photoFrame = name;
    if (context_.settingsDocument && EnterSettingRoot(*context_.settingsDocument))
        context_.settingsDocument->SetFirstData(L"PhotoFrame", name.c_str());
    ApplyPhotoFrame(name);
}

// Command enabling.

void CMainFrame::OnUpdatePreviewOnly(CCmdUI* ui) {
    ui->Enable(graph_.State() == Previewing);
}

void CMainFrame::OnUpdateCaptureStop(CCmdUI* ui) {
    ui->Enable(graph_.State() == Capturing);
}

void CMainFrame::OnUpdateDevice(CCmdUI* ui) {
    ui->Enable(graph_.State() != Capturing);
}

void CMainFrame::OnUpdateFrameType(CCmdUI* ui) {
    ui->Enable(FrameCommandsEnabled());
}
