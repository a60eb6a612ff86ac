// CDialog: a dialog from a resource template. DoModal runs it modally (through the modal seam when a
// test hook is installed); Create makes it modeless. OnInitDialog shows the members in the controls
// (DoDataExchange); OnOK reads and validates them and ends the dialog with IDOK only when every
// check passed; OnCancel ends it with IDCANCEL.
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
  public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    virtual INT_PTR DoModal();
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* msg) override;

    void GotoDlgCtrl(CWnd* control) const;
    void SetDefID(UINT id) const { SendMessage(DM_SETDEFID, id); }
    UINT GetTemplateId() const { return m_nIDTemplate; }
    // For tests driving a modal dialog through the seam: whether EndDialog has run, and with what.
    bool IsEnded() const { return m_bEnded; }
    INT_PTR GetModalResult() const { return m_nModalResult; }

  protected:
    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    // Fills list and combo boxes from the template's initialisation data (resource type 240).
    void ExecuteDlgInit();
    // The window the modal run disables: the parent, else the main window, else the active one.
    HWND FindModalOwner() const;
    void RunModalLoop();

    static INT_PTR CALLBACK DialogProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

  protected:
    INT_PTR m_nModalResult = -1;
    bool m_bInModal = false;
    bool m_bEnded = false;
};
