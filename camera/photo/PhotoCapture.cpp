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
    // The UTF-8 code page expresses everything and refuses the lost-character flag.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lost = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, flags, path.c_str(), -1, nullptr, 0, nullptr, utf8 ? nullptr : &lost);
    if (size <= 0 || lost) return std::string();
    std::vector<char> buffer(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, flags, path.c_str(), -1, buffer.data(), size, nullptr, nullptr);
    return std::string(buffer.data());
}

std::wstring PhotoNotWrittenMessage(const std::wstring& path) {
    return L"The photo was not written:\r\n" + path;
}

SavedPhoto SavePhoto(const CSampleGrabberCB& grabber, PhotoBuffer& buffer, const std::wstring& albumFolder,
                     HWND window, const SYSTEMTIME& now) {
    const PhotoTime time{now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                         now.wMinute, now.wSecond, now.wMilliseconds};
    SavedPhoto photo;
    photo.path = albumFolder + PhotoFileName(time);
    // Without the new frame the buffer holds an older picture: writing it would be a wrong photo.
    if (!buffer.StoreFrame(grabber.FrameBits(), grabber.FrameWidth(), grabber.FrameHeight())) {
        OutputDebugStringW(L"SavePhoto: no grabbed frame or no photo buffer\n");
        return photo;
    }
    const std::string ansi = ToAnsiPath(photo.path);
    if (ansi.empty()) {
        OutputDebugStringW(L"SavePhoto: the path cannot be expressed in the ANSI code page\n");
        return photo;
    }
    if (!grabber.BmpToJpeg(ansi.c_str(), buffer.Param()) ||
        GetFileAttributesW(photo.path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        OutputDebugStringW(L"SavePhoto: the JPEG file was not written\n");
        return photo;
    }
    photo.written = true;
    if (Opener()) {
        Opener()(window, photo.path);
    } else {
        ShellExecuteW(window, L"open", photo.path.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
    }
    return photo;
}
