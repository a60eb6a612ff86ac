// The main window's controls on the skin: positions (SetBtnRect) and sizes from the layout, and the
// skinned buttons' pictures, masks and tooltips.
#include "monitor/controls/SkinButton.h"
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
    for (const monitor::ControlPlace& place : monitor::MonitorControls()) {
        if (!place.normal && !place.mask) continue;
        auto* button = dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, place.id)));
        if (!button) continue;
        // One to one from the mask's size, no edge, no inset, no hover or focus picture.
        button->SetBitmaps(place.normal, place.checked, 0, place.disabled, 0, place.mask,
                           CSkinButton::kOneToOne, 0, 0);
        if (place.tooltip) button->SetTooltipText(place.tooltip);
    }
}
