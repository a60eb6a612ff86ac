// CVideoSettingsDlg (template 139, "Video settings"): the AVI counter and the path of the next
// recording. OK stores aviPath and aviPathChanged and writes the counter file.
#pragma once

#include "framework/Dialog.h"
#include "monitor/controls/GradientButton.h"
#include "monitor/dialogs/MonitorDialogHost.h"

class CVideoSettingsDlg : public CDialog {
  public:
    // `host` (the main window; may be null) is paused while the missing-folder message is up.
    explicit CVideoSettingsDlg(CWnd* parent = nullptr, IMonitorDialogHost* host = nullptr);

    CString m_strPath;          // the AVI path
    UINT m_nCounter = 0;        // number of the next AVI file, 0 to 99999
    bool m_bUserNamed = false;  // the path is not the numbered name for its folder
    CGradientButton m_btnBrowse;
    CGradientButton m_btnOK;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnCounterChange();
    afx_msg void OnPathChange();
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

  private:
    IMonitorDialogHost* m_pHost;
    bool m_bShowing = false;  // the members are being written into the controls

    // Writes the members into the controls without taking the edits' change notices for typing.
    void ShowMembers();
    bool DiffersFromNumberedName(const CString& path) const;
};

// The counter file of the program folder, "\BRENIK.inf".
CString CounterFilePath();
