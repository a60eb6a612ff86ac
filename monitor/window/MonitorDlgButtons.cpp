// The main window's controls on the skin: positions (SetBtnRect) and sizes from the layout, and
// the buttons' pictures. Until the skinned buttons take over, each button shows its normal picture
// as a plain bitmap button.
#include "monitor/libs/YsProcess/YsProcess.h"
#include "monitor/window/MonitorDlg.h"
#include "monitor/window/MonitorLayout.h"

void CMonitorDlg::PlaceControls() {
    for (const monitor::ControlPlace& place : monitor::MonitorControls()) {
        HWND control = ::GetDlgItem(m_hWnd, place.id);
        if (!control) continue;
        ::SetWindowPos(control, nullptr, 0, 0, place.width, place.height,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetBtnRect(control, place.x, place.y);
    }
}

void CMonitorDlg::DressButtons() {
    m_buttonPictures.clear();
    for (const monitor::ControlPlace& place : monitor::MonitorControls()) {
        if (!place.normal) continue;
        HWND control = ::GetDlgItem(m_hWnd, place.id);
        if (!control) continue;
        ScopedBitmap picture(::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(place.normal)));
        if (!picture) continue;
        ::SetWindowLongPtr(control, GWL_STYLE, ::GetWindowLongPtr(control, GWL_STYLE) | BS_BITMAP);
        ::SendMessage(control, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.Get()));
        m_buttonPictures.push_back(std::move(picture));
    }
}
