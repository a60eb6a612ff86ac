// Helpers of the settings dialogs' tests: control text and state, files in the program folder, and
// a main window double that keeps the alarm preview player like the real one.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "framework/Framework.h"
#include "monitor/dialogs/AlarmPreview.h"
#include "monitor/dialogs/MonitorDialogHost.h"

inline CString ItemText(const CWnd& dlg, int id) {
    CString text;
    dlg.GetDlgItemText(id, text);
    return text;
}
inline bool ItemEnabled(const CWnd& dlg, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, id)) != 0;
}
inline bool ItemChecked(const CWnd& dlg, int id) {
    return dlg.IsDlgButtonChecked(id) == BST_CHECKED;
}
// A user's click on a check box or radio button: the state changes, then the click is reported.
inline void ClickCheck(CWnd& dlg, int id, bool check) {
    dlg.CheckDlgButton(id, check ? BST_CHECKED : BST_UNCHECKED);
    fw::PressButton(dlg, id);
}

CString ReadTextFile(const CString& path);  // "" when missing
void WriteTextFile(const CString& path, const char* text);
bool FileExists(const CString& path);
// A fresh empty folder under the temporary folder.
CString MakeTempFolder(const char* name);

// The main window as the dialogs see it: the pause flag and the alarm player, with a record of calls.
class CHostWindow : public CWnd, public IMonitorDialogHost {
  public:
    CHostWindow();
    ~CHostWindow() override;

    void SetDialogPause(bool pause) override { pauses.push_back(pause); }
    void OpenAlarmPreview() override;
    void PlayAlarmPreview() override;
    void StopAlarmPreview() override;

    HWND m_hAlarmPlayer = nullptr;
    bool m_bNoAudioDevice = false;
    std::vector<bool> pauses;
    std::vector<CString> opened;  // alarmSoundPath at each OpenAlarmPreview
    int plays = 0, stops = 0;
};
