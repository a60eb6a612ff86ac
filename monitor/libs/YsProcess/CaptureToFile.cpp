#include "monitor/libs/YsProcess/YsProcess.h"

#include "monitor/libs/YsProcess/BmpFile.h"

BOOL CaptureToFile(const BYTE* frame, const char* path, int width, int height) {
    const bool ok = ysp::WriteBmp24File(path, frame, width, height);
    if (!ok) ::OutputDebugStringA("CaptureToFile: the BMP file could not be written\n");
    return ok ? TRUE : FALSE;
}
