#include "framework/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/ModalHook.h"

namespace {

// Whole decimal number with optional sign and surrounding blanks, within [lo, hi].
bool ParseInteger(const CString& text, long long lo, long long hi, long long& out) {
    CString t(text);
    t.Trim();
    if (t.IsEmpty()) return false;
    const TCHAR* begin = t.GetString();
    TCHAR* end = nullptr;
    errno = 0;
    long long v = _tcstoi64(begin, &end, 10);
    if (errno != 0 || end == begin || *end != 0 || v < lo || v > hi) return false;
    out = v;
    return true;
}

template <typename T>
void ExchangeInteger(CDataExchange* dx, int id, T& value, long long lo, long long hi, bool isSigned) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        CString text;
        CWnd::FromHandle(control)->GetWindowText(text);
        long long parsed = 0;
        if (!ParseInteger(text, lo, hi, parsed)) {
            dx->Fail(isSigned ? _T("Please enter an integer.") : _T("Please enter a positive integer."));
            return;
        }
        dx->Store(value, static_cast<T>(parsed));
    } else {
        CString text;
        if (isSigned) {
            text.Format(_T("%I64d"), static_cast<long long>(value));
        } else {
            text.Format(_T("%I64u"), static_cast<unsigned long long>(value));
        }
        ::SetWindowText(control, text);
    }
}

void RangeFail(CDataExchange* dx, long long lo, long long hi) {
    CString message;
    message.Format(_T("Please enter an integer between %I64d and %I64d."), lo, hi);
    dx->Fail(message);
}

bool IsRadio(HWND wnd) {
    return (::SendMessage(wnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    if (m_bFailed) return nullptr;  // a failed pass touches nothing more
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control) {
        ::OutputDebugString(_T("framework: data exchange with a missing control\n"));
        return nullptr;
    }
    m_hWndLastControl = control;
    m_bEditLastControl = false;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    HWND control = PrepareCtrl(id);
    if (control) m_bEditLastControl = true;
    return control;
}

void CDataExchange::Fail(LPCTSTR message) {
    if (m_bFailed) return;
    m_bFailed = true;
    ::fw::ShowMessageBox(m_pDlgWnd->m_hWnd, message, nullptr, MB_OK | MB_ICONEXCLAMATION);
    if (m_hWndLastControl) {
        ::SendMessage(m_pDlgWnd->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndLastControl), TRUE);
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl) ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
}

BOOL CDataExchange::Finish() {
    if (m_bFailed) {
        for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it) (*it)();
    }
    m_undo.clear();
    return m_bFailed ? FALSE : TRUE;
}

void DDX_Text(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareEditCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        CString text;
        CWnd::FromHandle(control)->GetWindowText(text);
        dx->Store(value, text);
    } else {
        ::SetWindowText(control, value);
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    ExchangeInteger(dx, id, value, INT_MIN, INT_MAX, true);
}
void DDX_Text(CDataExchange* dx, int id, long& value) {
    ExchangeInteger(dx, id, value, LONG_MIN, LONG_MAX, true);
}
void DDX_Text(CDataExchange* dx, int id, UINT& value) {
    ExchangeInteger(dx, id, value, 0, UINT_MAX, false);
}
void DDX_Text(CDataExchange* dx, int id, DWORD& value) {
    ExchangeInteger(dx, id, value, 0, ULONG_MAX, false);
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        dx->Store(value, static_cast<int>(::SendMessage(control, BM_GETCHECK, 0, 0)));
    } else {
        ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
    HWND first = dx->PrepareCtrl(id);
    if (!first) return;
    int checked = -1, index = 0;
    // The group runs from `id` to the next control with WS_GROUP; only radio buttons count.
    for (HWND wnd = first; wnd; wnd = ::GetWindow(wnd, GW_HWNDNEXT)) {
        if (wnd != first && (::GetWindowLongPtr(wnd, GWL_STYLE) & WS_GROUP)) break;
        if (!IsRadio(wnd)) continue;
        if (dx->m_bSaveAndValidate) {
            if (::SendMessage(wnd, BM_GETCHECK, 0, 0) == BST_CHECKED) checked = index;
        } else {
            ::SendMessage(wnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
    if (dx->m_bSaveAndValidate) dx->Store(value, checked);
}

void DDX_CBIndex(CDataExchange* dx, int id, int& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        dx->Store(value, static_cast<int>(::SendMessage(control, CB_GETCURSEL, 0, 0)));
    } else {
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(value), 0);
    }
}

void DDX_CBString(CDataExchange* dx, int id, CString& value) {
    HWND control = dx->PrepareCtrl(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        CString text;
        CWnd::FromHandle(control)->GetWindowText(text);
        dx->Store(value, text);
    } else if (::SendMessage(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(value.GetString())) == CB_ERR) {
        ::SetWindowText(control, value);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    HWND wnd = dx->PrepareCtrl(id);
    if (wnd) control.SubclassWindow(wnd);
}

void DDV_MinMaxInt(CDataExchange* dx, int value, int minValue, int maxValue) {
    if (dx->m_bSaveAndValidate && !dx->Failed() && (value < minValue || value > maxValue))
        RangeFail(dx, minValue, maxValue);
}

void DDV_MinMaxUInt(CDataExchange* dx, UINT value, UINT minValue, UINT maxValue) {
    if (dx->m_bSaveAndValidate && !dx->Failed() && (value < minValue || value > maxValue))
        RangeFail(dx, minValue, maxValue);
}

void DDV_MinMaxLong(CDataExchange* dx, long value, long minValue, long maxValue) {
    if (dx->m_bSaveAndValidate && !dx->Failed() && (value < minValue || value > maxValue))
        RangeFail(dx, minValue, maxValue);
}

void DDV_MinMaxDWord(CDataExchange* dx, DWORD value, DWORD minValue, DWORD maxValue) {
    if (dx->m_bSaveAndValidate && !dx->Failed() && (value < minValue || value > maxValue))
        RangeFail(dx, minValue, maxValue);
}

void DDV_MaxChars(CDataExchange* dx, const CString& value, int maxChars) {
    if (dx->m_bSaveAndValidate && !dx->Failed() && value.GetLength() > maxChars) {
        CString message;
        message.Format(_T("Enter no more than %d characters."), maxChars);
        dx->Fail(message);
    } else if (!dx->m_bSaveAndValidate && dx->m_hWndLastControl && dx->m_bEditLastControl) {
        ::SendMessage(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    }
}
