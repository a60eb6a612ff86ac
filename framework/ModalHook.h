// The seam for modal UI. With no hook installed every message box and modal dialog is real Win32.
// With a hook installed (tests), each message box call and each modal run goes to the hook instead
// of a person: the hook reads what is shown and answers. See tests/support/ModalScript.h for the
// ready-made hook tests use.
#pragma once

#include "framework/String.h"

class CWnd;
class CDialog;
class CPropertySheet;
class CFileDialog;
class CFontDialog;

namespace fw {

struct MessageBoxCall {
    HWND owner;
    CString text;
    CString caption;
    UINT type;  // MB_ flags as passed
};

class ModalHook {
  public:
    virtual ~ModalHook() = default;
    // Returns the button the "user" pressed (IDOK, IDYES, ...).
    virtual int OnMessageBox(const MessageBoxCall& call) = 0;
    // The dialog is created, initialised (OnInitDialog has run) and shown; its modal loop has not
    // started. Drive it like a user (set controls, fw::PressButton). If it is still open when this
    // returns, the framework closes it with IDCANCEL.
    virtual void OnDialog(CDialog& dialog) = 0;
    // The same for a property sheet: its first page is created and initialised.
    virtual void OnPropertySheet(CPropertySheet& sheet) = 0;
    // File and font dialogs are not shown at all: return IDOK after filling in the answer
    // (CFileDialog::SetPathName, CFontDialog::m_lf / m_cf) or IDCANCEL.
    virtual INT_PTR OnFileDialog(CFileDialog& dialog) = 0;
    virtual INT_PTR OnFontDialog(CFontDialog& dialog) = 0;
    // Every modal dialog and sheet run reports its result here when it has ended.
    virtual void OnModalEnded(CWnd& dialog, INT_PTR result) {}
};

// Installs `hook` (null restores real Win32) and returns the previous one.
ModalHook* SetModalHook(ModalHook* hook);
ModalHook* GetModalHook();

// The one road every framework message box takes.
int ShowMessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type);

// Acts like a click on button `id` of a dialog: sends the BN_CLICKED command the button would send
// (a plain command when the dialog has no such control, e.g. IDOK on a dialog without an OK button).
// Like a user, it cannot click a disabled or hidden button: then nothing happens and it returns false.
bool PressButton(CWnd& dialog, int id);

}  // namespace fw

// Message box owned by the application's main window, captioned with the application title.
int AfxMessageBox(LPCTSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = 0);
