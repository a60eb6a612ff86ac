// CGradientButton: the owner-drawn push button of the settings dialogs. A rounded black outline, a
// vertical pale blue-grey gradient face, an orange frame while the pointer is over it, a light blue
// frame with a focus rectangle while it has the keyboard focus, and the caption centred (one pixel
// lower right while pressed, embossed grey while disabled). Bind it with DDX_Control; no set-up call.
#pragma once

#include "framework/Button.h"
#include "framework/Handles.h"

class CGradientButton : public CButton {
  public:
    CGradientButton();
    ~CGradientButton() override;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

    // Pointer and focus state, for tests and for the face's colours.
    bool IsHovering() const { return m_nHover != 0; }
    bool IsTracking() const { return m_nTracking != 0; }

  protected:
    void PreSubclassWindow() override;
    virtual void DrawFace(HDC dc, const RECT& face);
    virtual void DrawFrame(HDC dc, const RECT& face);

    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnMouseHover(UINT flags, CPoint point);
    afx_msg void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

  private:
    ScopedPen m_outlinePen;
    ScopedPen m_hotLeftPen, m_hotRightPen, m_hotTopPen, m_hotBottomPen;
    ScopedPen m_focusLeftPen, m_focusRightPen, m_focusTopPen, m_focusBottomPen;
    int m_nHover = 0;     // the pointer is over the button
    int m_nTracking = 0;  // a hover/leave request is armed
    int m_nHasFocus = 0;  // the item had the focus at the last paint
    int m_nActive = 0;    // focused, pushed or default at the last paint
};
