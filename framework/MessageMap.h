// Message maps: one static table per class, chained to its base class's table.
//
//   // in the class:            DECLARE_MESSAGE_MAP()
//   // in the .cpp:
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_TIMER()                                  // void OnTimer(UINT_PTR id)
//       ON_BN_CLICKED(1027, &CMyDlg::OnBrowse)         // void OnBrowse()
//       ON_COMMAND_RANGE(32771, 32780, &CMyDlg::OnDevice)  // void OnDevice(UINT id)
//       ON_MESSAGE(3035, &CMyDlg::OnPhotoReady)        // LRESULT OnPhotoReady(WPARAM, LPARAM)
//   END_MESSAGE_MAP()
//
// Every entry names its handler through a member pointer that is checked against the expected
// signature at compile time; a wrong signature does not build.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <type_traits>

#include "framework/FrameworkIds.h"
#include "framework/Geometry.h"

#define afx_msg

class CCmdTarget;
class CCmdUI;
class CWnd;

// Notification code of command-enabling queries and of menu/accelerator commands.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)-1)

namespace fw {

struct MsgArgs {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
};

// Returns true when the entry handled the message.
using MsgHandler = bool (*)(CCmdTarget* target, MsgArgs& args);

enum class EntryKind : unsigned char {
    End,
    Message,         // a window message, by number
    Command,         // WM_COMMAND with a notification code and an id range
    Notify,          // WM_NOTIFY with a code and an id range
    UpdateUI,        // command enabling for an id range
    ReflectCommand,  // WM_COMMAND reflected to the control that sent it
    ReflectNotify,   // WM_NOTIFY reflected to the control that sent it
};

struct MessageMapEntry {
    EntryKind kind;
    UINT message;  // Message: the message number
    UINT code;     // Command/Notify: the notification code
    UINT firstId;
    UINT lastId;
    MsgHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

template <class F>
struct MemberOf;
template <class C, class R, class... A>
struct MemberOf<R (C::*)(A...)> {
    using Class = C;
    using Result = R;
};

template <auto F>
auto* Self(CCmdTarget* target) {
    return static_cast<typename MemberOf<decltype(F)>::Class*>(target);
}

// Checks a handler's signature: Sig<F, R(A...)> is true when F is R (C::*)(A...).
template <auto F, class Fn>
struct HasSignature;
template <auto F, class R, class... A>
struct HasSignature<F, R(A...)> : std::is_same<decltype(F), R (MemberOf<decltype(F)>::Class::*)(A...)> {};

#define FW_EXPECT_SIGNATURE(F, SIG) \
    static_assert(::fw::HasSignature<F, SIG>::value, "message map handler must be " #SIG)

template <auto F>
bool CommandThunk(CCmdTarget* t, MsgArgs&) {
    FW_EXPECT_SIGNATURE(F, void());
    (Self<F>(t)->*F)();
    return true;
}
template <auto F>
bool CommandRangeThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(UINT));
    (Self<F>(t)->*F)(static_cast<UINT>(a.wParam));
    return true;
}
template <auto F>
bool NotifyThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(NMHDR*, LRESULT*));
    (Self<F>(t)->*F)(reinterpret_cast<NMHDR*>(a.lParam), &a.result);
    return true;
}
template <auto F>
bool UpdateUIThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(CCmdUI*));
    (Self<F>(t)->*F)(reinterpret_cast<CCmdUI*>(a.lParam));
    return true;
}
template <auto F>
bool MessageThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, LRESULT(WPARAM, LPARAM));
    a.result = (Self<F>(t)->*F)(a.wParam, a.lParam);
    return true;
}

// Crackers for the ON_WM_ entries (names and signatures follow the classic handler set).
CWnd* WndFromHandle(HWND wnd);

template <auto F>
bool OnCreateThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, int(LPCREATESTRUCT));
    a.result = (Self<F>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(a.lParam));
    return true;
}
template <auto F>
bool VoidThunk(CCmdTarget* t, MsgArgs&) {
    FW_EXPECT_SIGNATURE(F, void());
    (Self<F>(t)->*F)();
    return true;
}
template <auto F>
bool OnTimerThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(UINT_PTR));
    (Self<F>(t)->*F)(a.wParam);
    return true;
}
template <auto F>
bool OnSizeThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(UINT, int, int));
    (Self<F>(t)->*F)(static_cast<UINT>(a.wParam), static_cast<short>(LOWORD(a.lParam)),
                     static_cast<short>(HIWORD(a.lParam)));
    return true;
}
template <auto F>
bool OnEraseBkgndThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, BOOL(HDC));
    a.result = (Self<F>(t)->*F)(reinterpret_cast<HDC>(a.wParam));
    return true;
}
template <auto F>
bool OnSysCommandThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(UINT, LPARAM));
    (Self<F>(t)->*F)(static_cast<UINT>(a.wParam), a.lParam);
    return true;
}
template <auto F>
bool OnQueryDragIconThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, HCURSOR());
    a.result = reinterpret_cast<LRESULT>((Self<F>(t)->*F)());
    return true;
}
template <auto F>
bool OnNcHitTestThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, LRESULT(CPoint));
    a.result =
        (Self<F>(t)->*F)(CPoint(static_cast<short>(LOWORD(a.lParam)), static_cast<short>(HIWORD(a.lParam))));
    return true;
}
template <auto F>
bool OnSetCursorThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, BOOL(CWnd*, UINT, UINT));
    a.result =
        (Self<F>(t)->*F)(WndFromHandle(reinterpret_cast<HWND>(a.wParam)), LOWORD(a.lParam), HIWORD(a.lParam));
    return true;
}
template <auto F>
bool MouseThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(UINT, CPoint));
    (Self<F>(t)->*F)(static_cast<UINT>(a.wParam),
                     CPoint(static_cast<short>(LOWORD(a.lParam)), static_cast<short>(HIWORD(a.lParam))));
    return true;
}
template <auto F>
bool ScrollThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(UINT, UINT, CWnd*));
    (Self<F>(t)->*F)(LOWORD(a.wParam), HIWORD(a.wParam), WndFromHandle(reinterpret_cast<HWND>(a.lParam)));
    return true;
}
template <auto F>
bool FocusThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(CWnd*));
    (Self<F>(t)->*F)(WndFromHandle(reinterpret_cast<HWND>(a.wParam)));
    return true;
}
template <auto F>
bool OnDrawItemThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(int, LPDRAWITEMSTRUCT));
    (Self<F>(t)->*F)(static_cast<int>(a.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(a.lParam));
    a.result = TRUE;
    return true;
}
template <UINT CtlType, auto F>
bool OnCtlColorThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, HBRUSH(HDC, CWnd*, UINT));
    a.result = reinterpret_cast<LRESULT>((Self<F>(t)->*F)(
        reinterpret_cast<HDC>(a.wParam), WndFromHandle(reinterpret_cast<HWND>(a.lParam)), CtlType));
    return true;
}
template <auto F>
bool OnDeviceChangeThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, BOOL(UINT, DWORD_PTR));
    a.result = (Self<F>(t)->*F)(static_cast<UINT>(a.wParam), static_cast<DWORD_PTR>(a.lParam));
    return true;
}
template <auto F>
bool OnInitMenuPopupThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(HMENU, UINT, BOOL));
    (Self<F>(t)->*F)(reinterpret_cast<HMENU>(a.wParam), LOWORD(a.lParam), HIWORD(a.lParam));
    return true;
}
template <auto F>
bool OnShowWindowThunk(CCmdTarget* t, MsgArgs& a) {
    FW_EXPECT_SIGNATURE(F, void(BOOL, UINT));
    (Self<F>(t)->*F)(static_cast<BOOL>(a.wParam), static_cast<UINT>(a.lParam));
    return true;
}

}  // namespace fw

#define DECLARE_MESSAGE_MAP()                               \
  protected:                                                \
    static const ::fw::MessageMap* GetThisMessageMap();     \
    const ::fw::MessageMap* GetMessageMap() const override; \
                                                            \
  private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                \
    const ::fw::MessageMap* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                           \
    }                                                         \
    const ::fw::MessageMap* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;          \
        using TheBaseClass = baseClass;                       \
        static const ::fw::MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                            \
    { ::fw::EntryKind::End, 0, 0, 0, 0, nullptr }                                    \
    }                                                                                \
    ;                                                                                \
    static const ::fw::MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                                     \
    }

#define FW_MSG(msg, thunk) {::fw::EntryKind::Message, (msg), 0, 0, 0, &thunk},

// Commands, control notifications, enabling.
#define ON_COMMAND(id, fn) \
    {::fw::EntryKind::Command, WM_COMMAND, CN_COMMAND, (id), (id), &::fw::CommandThunk<fn>},
#define ON_COMMAND_RANGE(first, last, fn) \
    {::fw::EntryKind::Command, WM_COMMAND, CN_COMMAND, (first), (last), &::fw::CommandRangeThunk<fn>},
#define ON_CONTROL(code, id, fn) \
    {::fw::EntryKind::Command, WM_COMMAND, (code), (id), (id), &::fw::CommandThunk<fn>},
#define ON_CONTROL_RANGE(code, first, last, fn) \
    {::fw::EntryKind::Command, WM_COMMAND, (code), (first), (last), &::fw::CommandRangeThunk<fn>},
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_NOTIFY(code, id, fn) \
    {::fw::EntryKind::Notify, WM_NOTIFY, (UINT)(code), (id), (id), &::fw::NotifyThunk<fn>},
#define ON_NOTIFY_RANGE(code, first, last, fn) \
    {::fw::EntryKind::Notify, WM_NOTIFY, (UINT)(code), (first), (last), &::fw::NotifyThunk<fn>},
#define ON_UPDATE_COMMAND_UI(id, fn) \
    {::fw::EntryKind::UpdateUI, WM_COMMAND, CN_UPDATE_COMMAND_UI, (id), (id), &::fw::UpdateUIThunk<fn>},
#define ON_UPDATE_COMMAND_UI_RANGE(first, last, fn) \
    {::fw::EntryKind::UpdateUI, WM_COMMAND, CN_UPDATE_COMMAND_UI, (first), (last), &::fw::UpdateUIThunk<fn>},
// Handled by the control's own class (the parent does not see them).
#define ON_CONTROL_REFLECT(code, fn) \
    {::fw::EntryKind::ReflectCommand, WM_COMMAND, (code), 0, 0xFFFF, &::fw::CommandThunk<fn>},
#define ON_NOTIFY_REFLECT(code, fn) \
    {::fw::EntryKind::ReflectNotify, WM_NOTIFY, (UINT)(code), 0, 0xFFFF, &::fw::NotifyThunk<fn>},

// Any message, handled as LRESULT Fn(WPARAM, LPARAM). Registered messages work too: the table is
// built the first time the class receives a message, after RegisterWindowMessage has run.
#define ON_MESSAGE(msg, fn) FW_MSG(msg, ::fw::MessageThunk<fn>)
#define ON_REGISTERED_MESSAGE(msgVar, fn) FW_MSG(msgVar, ::fw::MessageThunk<fn>)

// Window messages with the classic handler names.
#define ON_WM_CREATE() FW_MSG(WM_CREATE, ::fw::OnCreateThunk<&ThisClass::OnCreate>)
#define ON_WM_DESTROY() FW_MSG(WM_DESTROY, ::fw::VoidThunk<&ThisClass::OnDestroy>)
#define ON_WM_CLOSE() FW_MSG(WM_CLOSE, ::fw::VoidThunk<&ThisClass::OnClose>)
#define ON_WM_PAINT() FW_MSG(WM_PAINT, ::fw::VoidThunk<&ThisClass::OnPaint>)
#define ON_WM_TIMER() FW_MSG(WM_TIMER, ::fw::OnTimerThunk<&ThisClass::OnTimer>)
#define ON_WM_SIZE() FW_MSG(WM_SIZE, ::fw::OnSizeThunk<&ThisClass::OnSize>)
#define ON_WM_ERASEBKGND() FW_MSG(WM_ERASEBKGND, ::fw::OnEraseBkgndThunk<&ThisClass::OnEraseBkgnd>)
#define ON_WM_SYSCOMMAND() FW_MSG(WM_SYSCOMMAND, ::fw::OnSysCommandThunk<&ThisClass::OnSysCommand>)
#define ON_WM_QUERYDRAGICON() \
    FW_MSG(WM_QUERYDRAGICON, ::fw::OnQueryDragIconThunk<&ThisClass::OnQueryDragIcon>)
#define ON_WM_NCHITTEST() FW_MSG(WM_NCHITTEST, ::fw::OnNcHitTestThunk<&ThisClass::OnNcHitTest>)
#define ON_WM_SETCURSOR() FW_MSG(WM_SETCURSOR, ::fw::OnSetCursorThunk<&ThisClass::OnSetCursor>)
#define ON_WM_MOUSEMOVE() FW_MSG(WM_MOUSEMOVE, ::fw::MouseThunk<&ThisClass::OnMouseMove>)
#define ON_WM_MOUSEHOVER() FW_MSG(WM_MOUSEHOVER, ::fw::MouseThunk<&ThisClass::OnMouseHover>)
#define ON_WM_MOUSELEAVE() FW_MSG(WM_MOUSELEAVE, ::fw::VoidThunk<&ThisClass::OnMouseLeave>)
#define ON_WM_LBUTTONDOWN() FW_MSG(WM_LBUTTONDOWN, ::fw::MouseThunk<&ThisClass::OnLButtonDown>)
#define ON_WM_LBUTTONUP() FW_MSG(WM_LBUTTONUP, ::fw::MouseThunk<&ThisClass::OnLButtonUp>)
#define ON_WM_LBUTTONDBLCLK() FW_MSG(WM_LBUTTONDBLCLK, ::fw::MouseThunk<&ThisClass::OnLButtonDblClk>)
#define ON_WM_RBUTTONDOWN() FW_MSG(WM_RBUTTONDOWN, ::fw::MouseThunk<&ThisClass::OnRButtonDown>)
#define ON_WM_RBUTTONUP() FW_MSG(WM_RBUTTONUP, ::fw::MouseThunk<&ThisClass::OnRButtonUp>)
#define ON_WM_VSCROLL() FW_MSG(WM_VSCROLL, ::fw::ScrollThunk<&ThisClass::OnVScroll>)
#define ON_WM_HSCROLL() FW_MSG(WM_HSCROLL, ::fw::ScrollThunk<&ThisClass::OnHScroll>)
#define ON_WM_SETFOCUS() FW_MSG(WM_SETFOCUS, ::fw::FocusThunk<&ThisClass::OnSetFocus>)
#define ON_WM_KILLFOCUS() FW_MSG(WM_KILLFOCUS, ::fw::FocusThunk<&ThisClass::OnKillFocus>)
#define ON_WM_DRAWITEM() FW_MSG(WM_DRAWITEM, ::fw::OnDrawItemThunk<&ThisClass::OnDrawItem>)
#define ON_WM_CTLCOLOR()                                                                          \
    FW_MSG(WM_CTLCOLORBTN, (::fw::OnCtlColorThunk<CTLCOLOR_BTN, &ThisClass::OnCtlColor>))         \
    FW_MSG(WM_CTLCOLORDLG, (::fw::OnCtlColorThunk<CTLCOLOR_DLG, &ThisClass::OnCtlColor>))         \
    FW_MSG(WM_CTLCOLOREDIT, (::fw::OnCtlColorThunk<CTLCOLOR_EDIT, &ThisClass::OnCtlColor>))       \
    FW_MSG(WM_CTLCOLORLISTBOX, (::fw::OnCtlColorThunk<CTLCOLOR_LISTBOX, &ThisClass::OnCtlColor>)) \
    FW_MSG(WM_CTLCOLORSTATIC, (::fw::OnCtlColorThunk<CTLCOLOR_STATIC, &ThisClass::OnCtlColor>))
#define ON_WM_DEVICECHANGE() FW_MSG(WM_DEVICECHANGE, ::fw::OnDeviceChangeThunk<&ThisClass::OnDeviceChange>)
#define ON_WM_INITMENUPOPUP() \
    FW_MSG(WM_INITMENUPOPUP, ::fw::OnInitMenuPopupThunk<&ThisClass::OnInitMenuPopup>)
#define ON_WM_SHOWWINDOW() FW_MSG(WM_SHOWWINDOW, ::fw::OnShowWindowThunk<&ThisClass::OnShowWindow>)
