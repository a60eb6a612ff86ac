// CPreviewWnd: the popup that shows the live picture (template 132). The main window creates it,
// places it against its own left edge and hands it every frame. It draws 24-bit bottom-up frames
// with DrawDib, is dragged by its client area, and closing it ends the program.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <memory>

#include "framework/Dialog.h"
#include "framework/WinApp.h"

class CPreviewWnd : public CDialog {
  public:
    CPreviewWnd();
    ~CPreviewWnd() override;

    // Creates the popup from template 132, owned by `owner`. Not shown yet.
    BOOL Create(CWnd* owner);

    // Stores the context and size, builds the frame header, blacks out the client area and opens
    // a fresh DrawDib session for frames of width x height.
    void Setup(HDC dc, int width, int height);
    // Draws a frame of the set-up size at (0, 0); a null frame leaves the last picture.
    void Draw(const BYTE* frame);

    // The window's own context (taken once, given back when the window goes).
    HDC OwnDc();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    bool IsDragging() const { return m_bDragging != 0; }

    BOOL PreTranslateMessage(MSG* msg) override;

  protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    afx_msg BOOL OnEraseBkgnd(HDC dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

  private:
    void FillBlack(HDC dc) const;
    void EndDrawing();
    void EndDrag();

    HDC m_hDc = nullptr;  // the context frames are drawn into
    HDRAWDIB m_hDrawDib = nullptr;
    std::unique_ptr<BITMAPINFOHEADER> m_pHeader;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CPoint m_anchor;      // where the drag began (client coordinates)
    CPoint m_anchorCopy;  // kept alongside, as the window always has
    BYTE m_bDragging = 0;

    HDC m_hOwnDc = nullptr;  // from GetDC, released when the window is destroyed
};
