// CFileDialog: the open/save file dialog. Filters are written "Desc (*.x)|*.x|"; the default
// extension may be given as "bmp", ".bmp" or "*.bmp" (the dialog appends ".bmp" to names typed
// without one). Runs through the modal seam when a test hook is installed.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "framework/Wnd.h"

class CFileDialog {
  public:
    CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog() = default;

    virtual INT_PTR DoModal();

    CString GetPathName() const { return m_path; }
    CString GetFileName() const;   // name with extension
    CString GetFileExt() const;    // extension without the dot
    CString GetFileTitle() const;  // name without extension
    CString GetFolderPath() const;

    OPENFILENAME m_ofn;

    // What the caller asked for, as given (for the seam and tests).
    BOOL IsOpenDialog() const { return m_bOpen; }
    CString GetDefaultExt() const { return m_defaultExtGiven; }
    CString GetInitialName() const { return m_initialName; }
    CString GetFilterText() const { return m_filterGiven; }
    // The answer a test hook gives.
    void SetPathName(const CString& path) { m_path = path; }

  private:
    BOOL m_bOpen;
    CString m_defaultExtGiven, m_defaultExt, m_initialName, m_filterGiven, m_path;
    std::vector<TCHAR> m_filter;
    std::vector<TCHAR> m_file;
};
