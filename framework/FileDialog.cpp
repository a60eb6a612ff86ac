#include "framework/FileDialog.h"

#include "framework/ModalHook.h"
#include "framework/WinApp.h"

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : m_ofn(), m_bOpen(openFileDialog) {
    m_defaultExtGiven = defaultExt;
    m_initialName = fileName;
    m_filterGiven = filter;

    // "*.bmp" would make the dialog append ".*.b": keep only the extension itself.
    m_defaultExt = m_defaultExtGiven;
    while (!m_defaultExt.IsEmpty() && (m_defaultExt[0] == '*' || m_defaultExt[0] == '.'))
        m_defaultExt.Delete(0);

    // "A|a|B|b|" becomes "A\0a\0B\0b\0\0".
    for (int i = 0; i < m_filterGiven.GetLength(); ++i) {
        TCHAR c = m_filterGiven[i];
        m_filter.push_back(c == '|' ? TCHAR(0) : c);
    }
    m_filter.push_back(0);
    m_filter.push_back(0);

    m_file.assign(MAX_PATH * 4, 0);
    lstrcpyn(m_file.data(), m_initialName, static_cast<int>(m_file.size()));

    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFilter = m_filterGiven.IsEmpty() ? nullptr : m_filter.data();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_file.size());
    m_ofn.lpstrDefExt = m_defaultExt.IsEmpty() ? nullptr : m_defaultExt.GetString();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
}

INT_PTR CFileDialog::DoModal() {
    if (::fw::ModalHook* hook = ::fw::GetModalHook()) return hook->OnFileDialog(*this);
    if (!m_ofn.hwndOwner) {
        CWnd* main = AfxGetMainWnd();
        m_ofn.hwndOwner = main ? main->m_hWnd : ::GetActiveWindow();
    }
    BOOL ok = m_bOpen ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    if (!ok) {
        m_path.Empty();
        return IDCANCEL;
    }
    m_path = m_file.data();
    return IDOK;
}

CString CFileDialog::GetFileName() const {
    return m_path.Mid(m_path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const {
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFolderPath() const {
    int slash = m_path.ReverseFind('\\');
    return slash < 0 ? CString() : m_path.Left(slash);
}
