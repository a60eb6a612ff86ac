// The monitor settings template keeps the motion radios it no longer offers: hidden, and in the
// states the stored mode gives them.
#include "tests/support/ModalScript.h"
#include "monitor/app/MonitorSettings.h"
#include "monitor/dialogs/DialogIds.h"
#include "monitor/dialogs/MonitorSettingsDlg.h"
#include "tests/monitor/dialogs/DialogTestSupport.h"

namespace {

TEST(DialogTemplates, MonitorSettingsWithItsHiddenRadios) {
    ResetMonitorSettings();
    CHostWindow host;
    fw::ModalScript script;
    script.OnNextDialog([](CDialog& shown) {
        for (int id : {IDC_MS_MOTION_TRACKING, IDC_MS_MOTION_DETECTION, IDC_MS_ZOOM_MODE,
                       IDC_MS_ATTENTION_BOXES, IDC_MS_DISABLE_TRACKING}) {
            EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(shown.m_hWnd, id))) << id;
            EXPECT_EQ(ItemEnabled(shown, id), id == IDC_MS_MOTION_TRACKING || id == IDC_MS_MOTION_DETECTION)
                << id;
        }
        // The tracking group shows its member value 2; no detection radio is set for mode 255.
        EXPECT_TRUE(ItemChecked(shown, IDC_MS_DISABLE_TRACKING));
        EXPECT_FALSE(ItemChecked(shown, IDC_MS_MOTION_TRACKING));
        EXPECT_FALSE(ItemChecked(shown, IDC_MS_MOTION_DETECTION));
    });
    CMonitorSettingsDlg dlg(&host, &host);
    dlg.DoModal();
}

}  // namespace
