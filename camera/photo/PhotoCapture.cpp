#include "camera/photo/PhotoCapture.h"

#include <shellapi.h>

#include <vector>

#include "camera/libs/PelUtility/SampleGrabberCB.h"
#include "camera/photo/PhotoFileName.h"

namespace {

PhotoOpener& Opener() {
    static PhotoOpener opener;
    return opener;
}

}  // namespace

PhotoBuffer& ProcessPhotoBuffer() {
    static PhotoBuffer buffer;
    return buffer;
}

void SetPhotoOpenerForTesting(PhotoOpener opener) {
    Opener() = std::move(opener);
}

std::string ToAnsiPath(const std::wstring& path) {
    const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, buffer.data(), size, nullptr, nullptr);
    return std::string(buffer.data());
}

std::wstring SavePhoto(const CSampleGrabberCB& grabber, PhotoBuffer& buffer, const std::wstring& albumFolder,
                       HWND window, const SYSTEMTIME& now) {
    const PhotoTime time{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                         now.wMinute, now.wSecond, now.wMilliseconds};
    const std::wstring path = albumFolder + PhotoFileName(time);
    if (!buffer.StoreFrame(grabber.FrameBits(), grabber.FrameWidth(), grabber.FrameHeight())) {
        OutputDebugStringW(L"SavePhoto: no grabbed frame or no photo buffer\n");
    }
    const std::string ansi = ToAnsiPath(path);
    grabber.BmpToJpeg(ansi.c_str(), buffer.Param());
    if (Opener()) {
        Opener()(window, path);
    } else {
        ShellExecuteW(window, L"open", path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    }
    return path;
}
