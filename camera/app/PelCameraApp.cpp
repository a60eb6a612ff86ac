#include "camera/app/PelCameraApp.h"

#include <new>

#include "camera/app/AboutDlg.h"
#include "camera/app/resource.h"
#include "camera/frame/MainFrame.h"
#include "camera/libs/PelFilters/PelFilterClasses.h"
#include "framework/ModalHook.h"

BEGIN_MESSAGE_MAP(CPelCameraApp, CWinApp)
ON_COMMAND(ID_APP_ABOUT, &CPelCameraApp::OnAppAbout)
END_MESSAGE_MAP()

CPelCameraApp theApp;

CPelCameraApp::CPelCameraApp() : CWinApp(nullptr) {}

CPelCameraApp::~CPelCameraApp() = default;

void CPelCameraApp::ResolveProgramFolder() {
    programFolder = ProgramFolderOfRunningModule();
}

bool CPelCameraApp::LoadSettings() {
    return LoadSettingsFromFolder(programFolder, settingsDocument,
                                  [](const std::wstring& text) { AfxMessageBox(text.c_str(), MB_OK); });
}

void CPelCameraApp::SaveSettings() {
    SaveSettingsToFolder(programFolder, settingsDocument);
}

BOOL CPelCameraApp::InitInstance() {
    RegisterCommonControls();
    CWinApp::InitInstance();
    ResolveProgramFolder();
    if (!LoadSettings()) return FALSE;
    SetUpLanguageComponent(programFolder);
    startup_.InitCom();
    // "Pel Overlay" and "Pel Reversal" live inside the program.
    filterClasses_ = std::make_unique<pel::PelFilterClasses>(pel::RegisterPelFilters());
    if (!filterClasses_->Registered()) OutputDebugStringW(L"PelCamera: the Pel filters are not registered\n");
    InitRichEdit2();

    MainFrameContext context;
    context.programFolder = programFolder;
    context.settingsDocument = &settingsDocument;
    context.saveSettings = [this] { SaveSettings(); };
    auto* frame = new (std::nothrow) CMainFrame(std::move(context));
    if (!frame) return FALSE;
    m_pMainWnd = frame;
    // A frame that fails to load has already deleted itself (PostNcDestroy) or was never created;
    // it is not touched again.
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr)) {
        m_pMainWnd = nullptr;
        return FALSE;
    }
    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();
    return TRUE;
}

int CPelCameraApp::ExitInstance() {
    // The filter classes go before COM does.
    if (filterClasses_) filterClasses_->Revoke();
    startup_.Exit(programFolder, settingsDocument);
    return CWinApp::ExitInstance();
}

void CPelCameraApp::OnAppAbout() {
    CAboutDlg dialog;
    dialog.DoModal();
}
