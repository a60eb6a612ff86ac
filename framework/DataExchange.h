// Dialog data exchange: DoDataExchange lists DDX_ calls (control <-> member) and DDV_ checks.
// Reading (m_bSaveAndValidate) is all-or-nothing: when a conversion or a check fails, the standard
// message is shown, the focus goes back to the field, every member already written in this pass
// is put back, and UpdateData returns FALSE.
#pragma once

#include <functional>
#include <vector>

#include "framework/Wnd.h"

class CDataExchange {
  public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate)
        : m_pDlgWnd(dlgWnd), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;

    // The control `id` of the dialog (remembered for the focus on failure); null if missing.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Shows `message`, puts the focus on the last prepared control and fails this pass.
    void Fail(LPCTSTR message);
    bool Failed() const { return m_bFailed; }

    // Writes a member during a reading pass so that a later failure can undo it.
    template <typename T>
    void Store(T& member, const T& value) {
        m_undo.push_back([&member, old = member] { member = old; });
        member = value;
    }

    // Ends the pass: undoes the stores of a failed reading pass. TRUE when it succeeded.
    BOOL Finish();

  private:
    bool m_bFailed = false;
    std::vector<std::function<void()>> m_undo;
};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, DWORD& value);
void DDX_Check(CDataExchange* dx, int id, int& value);
// `value` is the index of the checked button of the group that starts at `id`, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& value);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
// Binds `control` to the dialog's control `id` (subclassing it) the first time.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// Range checks; on failure: "Please enter an integer between <min> and <max>."
void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue);
void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue);
void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue);
void DDV_MinMaxDWord(CDataExchange* dx, DWORD value, DWORD minValue, DWORD maxValue);
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars);
