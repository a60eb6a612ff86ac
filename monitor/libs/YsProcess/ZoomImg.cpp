#include "monitor/libs/YsProcess/YsProcess.h"

#include "monitor/libs/YsProcess/Zoom.h"

void ZoomImg(const BYTE* src, BYTE* dst, int width, int height) {
    ysp::Zoom2xBgr(src, dst, width, height);
}
