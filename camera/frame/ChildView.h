// CChildView: the main frame's client window. It draws nothing itself: the graph's video window
// is placed inside it.
#pragma once

#include "framework/Wnd.h"

class CChildView : public CWnd {
  public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
