// CSliderCtrl: a trackbar control.
#pragma once

#include "framework/Wnd.h"

class CSliderCtrl : public CWnd {
  public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) const { SendMessage(TBM_SETPOS, TRUE, pos); }
    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE) const {
        SendMessage(TBM_SETRANGEMIN, FALSE, minPos);
        SendMessage(TBM_SETRANGEMAX, redraw, maxPos);
    }
    void SetRangeMin(int minPos, BOOL redraw = FALSE) const { SendMessage(TBM_SETRANGEMIN, redraw, minPos); }
    void SetRangeMax(int maxPos, BOOL redraw = FALSE) const { SendMessage(TBM_SETRANGEMAX, redraw, maxPos); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    int SetPageSize(int size) const { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    int GetPageSize() const { return static_cast<int>(SendMessage(TBM_GETPAGESIZE)); }
    int SetLineSize(int size) const { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
    void SetTicFreq(int freq) const { SendMessage(TBM_SETTICFREQ, static_cast<WPARAM>(freq)); }
};
