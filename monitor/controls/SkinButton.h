// CSkinButton: a push, check or radio button of the main window drawn from bitmap resources. Up to
// six pictures (normal, pressed/checked, hover, disabled, focus, mask); the mask (white outside,
// anything else inside) gives the button its clickable outline and is the picture's transparency.
// Owner-drawn buttons lose the system's check and radio behaviour, so the class keeps the check
// itself: BM_SETCHECK / BM_GETCHECK, and message 0x0500 that clears the other radios of a group.
//
// Bind it to a template control (DDX_Control or SubclassDlgItem), then call SetBitmaps and, where
// wanted, SetTooltipText.
#pragma once

#include "framework/Button.h"
#include "framework/Handles.h"
#include "framework/ToolTipCtrl.h"

class CSkinButton : public CButton {
  public:
    // Sent to the other radio buttons of a group when one of them becomes checked.
    static constexpr UINT kClearCheckMessage = WM_USER + 0x100;

    enum Kind { kPushButton = 0, kCheckBox = 2, kRadioButton = 4 };
    enum DrawMode { kOneToOne = 0, kStretched = 1, kTiled = 2 };

    CSkinButton();
    ~CSkinButton() override;

    // Bitmap resource ids (0 = none). Without a disabled id the normal picture serves disabled too.
    // mode: kOneToOne (the button takes the mask's size), kStretched or kTiled; edge non-zero draws a
    // 3-D edge; inset is the distance of the focus rectangle and of the caption from the edges.
    void SetBitmaps(UINT normal, UINT pressed, UINT hover, UINT disabled, UINT focus, UINT mask,
                    int mode = kStretched, int edge = 0, int inset = 0);
    // Creates the tooltip on first use (the whole button is the tool); later calls replace the text.
    void SetTooltipText(LPCTSTR text);

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    // State, for the owner and for tests.
    int GetKind() const { return m_nKind; }
    bool IsHovering() const { return m_bHover != 0; }
    bool IsPressing() const { return m_bPressing != 0; }
    bool HasRegion() const { return m_hRegion != nullptr; }
    int GetDrawMode() const { return m_nDrawMode; }
    CToolTipCtrl& GetToolTip() { return m_tooltip; }

  protected:
    void PreSubclassWindow() override;

    afx_msg BOOL OnEraseBkgnd(HDC dc);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg LRESULT OnKeyDown(WPARAM key, LPARAM flags);
    afx_msg LRESULT OnSetCheck(WPARAM check, LPARAM);
    afx_msg LRESULT OnGetCheck(WPARAM, LPARAM);
    afx_msg LRESULT OnClearCheck(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

  private:
    // Whether a point (client coordinates) lies on the button's shape.
    bool IsPointOver(POINT point) const;
    void RelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam);
    void ClearOtherRadios();
    // Draws a picture into the item rectangle by the draw mode, through the mask when there is one.
    void DrawPicture(HDC dc, HBITMAP picture, const RECT& rect) const;
    // Draws `picture`, or fills the rectangle with the button-face colour when there is none.
    void DrawPictureOrFace(HDC dc, HBITMAP picture, const RECT& rect) const;

    bool m_bChecked = false;
    int m_nKind = kPushButton;
    BYTE m_bHover = 0;     // the pointer is over the button (leave tracking armed)
    BYTE m_bPressing = 0;  // the left button went down here and is still held
    CToolTipCtrl m_tooltip;
    ScopedBitmap m_bmpNormal;
    ScopedBitmap m_bmpPressed;  // while pushed and while checked
    ScopedBitmap m_bmpDisabled;
    ScopedBitmap m_bmpMask;
    ScopedBitmap m_bmpHover;
    ScopedBitmap m_bmpFocus;
    short m_nFocusInset = 0;
    COLORREF m_crText;
    HRGN m_hRegion = nullptr;  // the outline given to the window; the window owns it
    int m_nEdge = 0;
    short m_nDrawMode = kStretched;
};
