// A look at the skinned buttons as the main window places them: the skin 142 shaped by its key
// colour, every skinned control of the layout at its skin position with its pictures, the tray icon.
// Not a test: run it under Xvfb and take a screenshot (see monitor/controls/README.md).
//
//   skin_button_demo.exe [seconds] [--tray-roundtrip]
//
// With --tray-roundtrip the window goes to the tray and comes back before the pause.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/Framework.h"
#include "monitor/controls/SkinButton.h"
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/shell/SystemTray.h"
#include "tools/artwork/SkinLayout.h"

namespace {

constexpr UINT_PTR kQuitTimer = 1;

class CSkinDemoWnd : public CWnd {
  public:
    ~CSkinDemoWnd() override {
        if (m_hWnd) DestroyWindow();
    }
    bool Make() {
        m_skin.Reset(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(142)));
        if (!m_skin) return false;
        if (!CreateEx(0, nullptr, _T("Halmere"), WS_POPUP | WS_CLIPCHILDREN, 200, 150, artwork::kSkinWidth,
                      artwork::kSkinHeight, nullptr, nullptr))
            return false;
        SetWindowRgn(BitmapToRegion(m_skin.Get(), RGB(0, 255, 0), RGB(16, 16, 16)), TRUE);
        for (const artwork::ButtonPlace& place : artwork::SkinButtons()) {
            if (place.x < 0) continue;
            DWORD kind = BS_PUSHBUTTON;
            if (place.controlId >= 1000 && place.controlId <= 1005) kind = BS_AUTORADIOBUTTON;
            if (place.controlId == 1071) kind = BS_AUTORADIOBUTTON;
            if (place.controlId == 1056) kind = BS_AUTOCHECKBOX;
            DWORD style =
                WS_CHILD | kind | (place.controlId == 1000 || place.controlId == 1008 ? WS_GROUP : 0);
            // The lamp and the audio strip show only while recording, as in the program.
            const bool recordingOnly = place.controlId == 1057 || place.controlId == 1055;
            if (!recordingOnly || m_bRecording) style |= WS_VISIBLE;
            HWND button =
                ::CreateWindowEx(0, _T("BUTTON"), _T(""), style, 0, 0, place.width, place.height, m_hWnd,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(place.controlId)),
                                 AfxGetInstanceHandle(), nullptr);
            auto skinned = std::make_unique<CSkinButton>();
            skinned->SubclassWindow(button);
            skinned->SetBitmaps(place.normal, place.checked, 0, place.disabled, 0, place.mask, 0, 0, 0);
            SetBtnRect(button, place.x, place.y);
            if (place.controlId == 1046) skinned->SetTooltipText(_T("Close"));
            if (place.controlId == 1054) skinned->SetTooltipText(_T("Minimize"));
            m_buttons.push_back(std::move(skinned));
        }
        return true;
    }
    CSkinButton* Button(int id) {
        for (auto& b : m_buttons)
            if (b->GetDlgCtrlID() == id) return b.get();
        return nullptr;
    }
    bool m_bRecording = false;

  protected:
    afx_msg BOOL OnEraseBkgnd(HDC dc) {
        ScopedDc memory(::CreateCompatibleDC(dc));
        ScopedSelect skin(memory.Get(), m_skin.Get());
        ::BitBlt(dc, 0, 0, artwork::kSkinWidth, artwork::kSkinHeight, memory.Get(), 0, 0, SRCCOPY);
        return TRUE;
    }
    afx_msg LRESULT OnNcHitTest(CPoint point) {
        LRESULT hit = Default();
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    afx_msg void OnTimer(UINT_PTR id) {
        if (id == kQuitTimer) ::PostQuitMessage(0);
    }
    DECLARE_MESSAGE_MAP()

  private:
    ScopedBitmap m_skin;
    std::vector<std::unique_ptr<CSkinButton>> m_buttons;
};

BEGIN_MESSAGE_MAP(CSkinDemoWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_TIMER()
END_MESSAGE_MAP()

void Pump(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < milliseconds) {
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(10);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const bool roundtrip = argc > 2 && std::strcmp(argv[2], "--tray-roundtrip") == 0;

    CSkinDemoWnd wnd;
    wnd.m_bRecording = true;
    if (!wnd.Make()) return 1;
    wnd.Button(1000)->SetCheck(BST_CHECKED);
    wnd.Button(1056)->SetCheck(BST_CHECKED);  // recording: the red face under the lamp
    wnd.Button(1068)->EnableWindow(FALSE);    // no audio device: the dim face
    wnd.ShowWindow(SW_SHOW);
    wnd.UpdateWindow();

    CSystemTray tray;
    HICON icon = ::LoadIcon(AfxGetInstanceHandle(), MAKEINTRESOURCE(128));
    const BOOL added = tray.Create(&wnd, 0x800A, "Halmere", icon, 194);
    tray.SetTargetWindow(&wnd);
    tray.EnableMenuItem(32772, TRUE);
    tray.EnableMenuItem(32771, FALSE);
    tray.SetDefaultMenuItem(0, FALSE);
    std::printf("tray icon %s\n", added ? "added" : "refused");

    if (roundtrip) {
        Pump(500);
        CSystemTray::MoveWindowToTray(&wnd);
        Pump(1000);
        std::printf("in the tray: visible %d\n", wnd.IsWindowVisible());
        CSystemTray::RestoreWindowFromTray(&wnd);
        std::printf("restored: visible %d\n", wnd.IsWindowVisible());
    }
    std::fflush(stdout);

    // The pointer rests on the snapshot button, as a user would hold it (the layout has no hover pictures).
    RECT r;
    ::GetWindowRect(wnd.Button(1009)->m_hWnd, &r);
    ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);

    wnd.SetTimer(kQuitTimer, static_cast<UINT>(seconds * 1000));
    MSG msg;
    while (::GetMessage(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    tray.HideTrayIcon();
    tray.RemoveTrayIcon();
    return 0;
}
