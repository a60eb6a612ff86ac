// CPropertyPage: one page of a CPropertySheet, built from a dialog template. The sheet's OK reaches
// every created page: OnKillActive (reads and validates the active page; a failure keeps the sheet
// open), then OnApply -> OnOK on each page. Cancel reaches OnReset -> OnCancel on each created page
// and reads nothing.
#pragma once

#include <windows.h>

#include <prsht.h>

#include "framework/Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    PROPSHEETPAGE m_psp;

    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    void OnOK() override {}
    void OnCancel() override {}
    virtual BOOL OnApply() {
        OnOK();
        return TRUE;
    }
    virtual void OnReset() { OnCancel(); }
    virtual BOOL OnQueryCancel() { return TRUE; }

    void SetModified(BOOL changed = TRUE);
    // The sheet does the keyboard handling of its pages.
    BOOL PreTranslateMessage(MSG*) override { return FALSE; }
    CPropertySheet* GetSheet() const { return m_pSheet; }

  protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    CString m_strCaption;
    CPropertySheet* m_pSheet = nullptr;
};
