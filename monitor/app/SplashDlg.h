// The start-up splash screen (template 140): bitmap 141 for 6.18 s under the wait cursor.
#pragma once

#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "framework/Handles.h"

class CSplashDlg : public CDialog {
  public:
    static constexpr UINT_PTR kCloseTimer = 2;
    static constexpr UINT kShowMilliseconds = 6180;
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 430;

    explicit CSplashDlg(CWnd* parent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    afx_msg BOOL OnEraseBkgnd(HDC dc);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

  private:
    ScopedBitmap m_picture;
};
