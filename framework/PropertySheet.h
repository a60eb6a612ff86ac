// CPropertySheet: a modal property sheet holding CPropertyPage objects (owned by the caller).
// m_psh may be adjusted before DoModal (e.g. m_psh.dwFlags |= PSH_NOAPPLYNOW). DoModal returns
// IDOK when the sheet was closed with OK, else IDCANCEL.
#pragma once

#include <windows.h>

#include <prsht.h>

#include <vector>

#include "framework/Wnd.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
  public:
    explicit CPropertySheet(LPCTSTR caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);

    PROPSHEETHEADER m_psh;

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int index) const;
    void SetTitle(LPCTSTR title);

    virtual INT_PTR DoModal();
    // Runs after the sheet and its first page are created.
    virtual BOOL OnInitDialog() { return TRUE; }

    // Clicks a sheet button (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW) like the user would.
    void PressButton(int button) const;
    // Whether OK or Cancel has closed the sheet (for tests driving it through the seam).
    bool IsEnded() const;

  private:
    friend class CPropertyPage;
    static int CALLBACK SheetCallback(HWND wnd, UINT message, LPARAM lParam);
    void RunModalLoop();

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_built;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    bool m_bOkPressed = false;
};
