// CWnd: a window and its message map. A CWnd is bound to an HWND either by creating the window
// (CreateEx/Create), by subclassing an existing one (SubclassWindow/SubclassDlgItem, also through
// DDX_Control) or by Attach. FromHandle gives a CWnd for any HWND (a temporary wrapper when none
// is bound). Messages reach WindowProc -> OnWndMsg -> the map chain; unhandled ones go to the
// window's original procedure (Default / DefWindowProc).
#pragma once

#include "framework/CmdTarget.h"
#include "framework/String.h"

class CDataExchange;

class CWnd : public CCmdTarget {
  public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    ~CWnd() override;

    // Binding.
    static CWnd* FromHandle(HWND wnd);           // never null for a non-null handle
    static CWnd* FromHandlePermanent(HWND wnd);  // the bound object, or null
    BOOL Attach(HWND wnd);                       // binds without taking messages
    HWND Detach();
    BOOL SubclassWindow(HWND wnd);  // binds and routes the window's messages here
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Creation. The class name may be null: then the framework's plain window class is used.
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menuOrId, LPVOID param = nullptr);
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, LPVOID context = nullptr);
    virtual BOOL DestroyWindow();

    // Overridables.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PreSubclassWindow() {}
    virtual void PostNcDestroy() {}
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A message a parent passes back to this control (owner draw, notifications). TRUE when taken.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* dx) {}
    // Reads the controls into the members (save = TRUE) or shows the members (FALSE). A failed check
    // stores nothing and returns FALSE. A read asked for while the members are being shown (a change
    // notification of a control being filled) does nothing: the members already hold the values.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // Default processing of the message being handled.
    LRESULT Default();

    // Messages and state.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL UpdateWindow() const { return ::UpdateWindow(m_hWnd); }
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, rect, erase); }
    BOOL RedrawWindow(LPCRECT rect = nullptr, HRGN rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const {
        return ::RedrawWindow(m_hWnd, rect, rgn, flags);
    }
    CWnd* SetFocus() const { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);

    // Placement.
    void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
    void ClientToScreen(LPPOINT p) const { ::ClientToScreen(m_hWnd, p); }
    void ClientToScreen(LPRECT r) const;
    void ScreenToClient(LPPOINT p) const { ::ScreenToClient(m_hWnd, p); }
    void ScreenToClient(LPRECT r) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(LPCRECT r, BOOL repaint = TRUE) const {
        MoveWindow(r->left, r->top, r->right - r->left, r->bottom - r->top, repaint);
    }
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) const {
        return ::SetWindowPos(m_hWnd, after ? after->m_hWnd : nullptr, x, y, cx, cy, flags);
    }
    void CenterWindow(CWnd* alternateOwner = nullptr) const;
    int SetWindowRgn(HRGN rgn, BOOL redraw) const { return ::SetWindowRgn(m_hWnd, rgn, redraw); }

    // Text.
    void SetWindowText(LPCTSTR text) const { ::SetWindowText(m_hWnd, text); }
    int GetWindowText(LPTSTR buffer, int size) const { return ::GetWindowText(m_hWnd, buffer, size); }
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(HFONT font, BOOL redraw = TRUE) const {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    HICON SetIcon(HICON icon, BOOL big) const {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }

    // Children of a dialog-like window.
    CWnd* GetDlgItem(int id) const;
    void SetDlgItemText(int id, LPCTSTR text) const { ::SetDlgItemText(m_hWnd, id, text); }
    int GetDlgItemText(int id, CString& text) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) const {
        ::SetDlgItemInt(m_hWnd, id, value, isSigned);
    }
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
        return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
    }
    void CheckDlgButton(int id, UINT check) const { ::CheckDlgButton(m_hWnd, id, check); }
    UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
    void CheckRadioButton(int first, int last, int check) const {
        ::CheckRadioButton(m_hWnd, first, last, check);
    }
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessage(m_hWnd, id, message, wParam, lParam);
    }

    // Timers, menus, message boxes.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) const {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    BOOL SetMenu(HMENU menu) const { return ::SetMenu(m_hWnd, menu); }
    void DrawMenuBar() const { ::DrawMenuBar(m_hWnd); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    // A message box owned by this window; goes through the modal seam (framework/ModalHook.h).
    // A null caption means the application title.
    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK) const;

    // Handlers with default processing, for derived classes to call ("the default handling").
    afx_msg int OnCreate(LPCREATESTRUCT cs) { return static_cast<int>(Default()); }
    afx_msg void OnDestroy() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnTimer(UINT_PTR id) { Default(); }
    afx_msg void OnSize(UINT type, int cx, int cy) { Default(); }
    afx_msg BOOL OnEraseBkgnd(HDC dc) { return static_cast<BOOL>(Default()); }
    afx_msg void OnSysCommand(UINT id, LPARAM lParam) { Default(); }
    afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    afx_msg LRESULT OnNcHitTest(CPoint point) { return Default(); }
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) { return static_cast<BOOL>(Default()); }
    afx_msg void OnMouseMove(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMouseHover(UINT flags, CPoint point) { Default(); }
    afx_msg void OnMouseLeave() { Default(); }
    afx_msg void OnLButtonDown(UINT flags, CPoint point) { Default(); }
    afx_msg void OnLButtonUp(UINT flags, CPoint point) { Default(); }
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point) { Default(); }
    afx_msg void OnRButtonDown(UINT flags, CPoint point) { Default(); }
    afx_msg void OnRButtonUp(UINT flags, CPoint point) { Default(); }
    afx_msg void OnVScroll(UINT code, UINT pos, CWnd* bar) { Default(); }
    afx_msg void OnHScroll(UINT code, UINT pos, CWnd* bar) { Default(); }
    afx_msg void OnSetFocus(CWnd* old) { Default(); }
    afx_msg void OnKillFocus(CWnd* next) { Default(); }
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    afx_msg HBRUSH OnCtlColor(HDC dc, CWnd* wnd, UINT ctlType);
    afx_msg BOOL OnDeviceChange(UINT event, DWORD_PTR data) { return static_cast<BOOL>(Default()); }
    afx_msg void OnInitMenuPopup(HMENU popup, UINT index, BOOL sysMenu) { Default(); }
    afx_msg void OnShowWindow(BOOL show, UINT status) { Default(); }

    // The window procedure of every window the framework creates or subclasses.
    static LRESULT CALLBACK WndProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The framework's plain window class (arrow cursor, window-colour background).
    static LPCTSTR DefaultClassName();

  protected:
    // Reflects a parent's message to the control that sent it; TRUE when the control took it.
    static BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Runs the message through WindowProc with the current-message bookkeeping.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;  // the window's own procedure, when subclassed
    bool m_bCreatedHere = false;   // CreateEx made the window: the destructor destroys it
    bool m_bShowingData = false;   // an UpdateData(FALSE) pass is running

    // Routes the bound window's messages to WndProc, keeping its own procedure as the default.
    void HookProcedure();

  private:
    static LRESULT CALLBACK CbtCreateHook(int code, WPARAM wParam, LPARAM lParam);
    void BindHandle(HWND wnd);
    void UnbindHandle();
};

// Registers (once) a window class with the framework's window procedure and returns its name.
LPCTSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                            HICON icon = nullptr);
