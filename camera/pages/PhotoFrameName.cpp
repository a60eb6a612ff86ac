#include "camera/pages/PhotoFrameName.h"

bool PhotoFrameNameFromFile(const std::wstring& fileName, std::wstring& frameName) {
    const size_t dot = fileName.find(L'.');
    if (dot == std::wstring::npos || dot == 0) return false;
    const std::wstring rest = fileName.substr(dot);
    static const wchar_t kExtension[] = L".bmp";
    if (rest.size() != 4) return false;
    for (size_t i = 0; i < 4; ++i) {
        wchar_t c = rest[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != kExtension[i]) return false;
    }
    frameName = fileName.substr(0, dot);
    return true;
}
