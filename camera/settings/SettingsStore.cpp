#include "camera/settings/SettingsStore.h"

#include <climits>
#include <cstring>
#include <vector>

#include "camera/libs/PelUtility/Base64.h"
#include "camera/libs/PelUtility/FileIo.h"

namespace {

// The encoder's line limit in input bytes: a 92-byte record stays on one line.
constexpr size_t kCharFormatBytesPerLine = 100;

// Keeps what the user had before it is replaced; a missing or empty file has nothing to keep.
void KeepDamagedFile(const std::wstring& path) {
    std::string bytes;
    if (!pelutil::ReadWholeFile(path, bytes) || bytes.empty()) return;
    pelutil::WriteWholeFile(path + kDamagedSettingsSuffix, bytes);
}

bool IsSpace(wchar_t c) {
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

}  // namespace

int ParseSettingInt(const std::wstring& text) {
    size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) negative = text[pos++] == L'-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        value = value * 10 + (text[pos] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

std::wstring EncodeCharFormat(const CharFormatRecord& format) {
    std::string text = pelutil::Base64Encode(reinterpret_cast<const uint8_t*>(&format), kCharFormatBytes,
                                             kCharFormatBytesPerLine);
    return std::wstring(text.begin(), text.end());
}

void DecodeCharFormat(const std::wstring& text, CharFormatRecord& format) {
    std::memset(&format, 0, sizeof format);
    if (text.empty()) return;
    std::vector<uint8_t> decoded(text.size());
    size_t count = pelutil::Base64Decode(text.c_str(), text.size(), decoded.data());
    std::memcpy(&format, decoded.data(), count < kCharFormatBytes ? count : kCharFormatBytes);
}

bool EnterSettingRoot(CZelParser& document) {
    document.ResetPos();
    return document.FindFirstElem(L"Setting") && document.IntoElem();
}

bool LoadCameraSettings(const std::wstring& programFolder, CZelParser& document,
                        CameraSettingsRecord& settings, SettingsEnvironment& env) {
    const std::wstring path = programFolder + kSettingsFileName;
    if (!document.Load(path.c_str()) || !document.IsWellFormed()) {
        KeepDamagedFile(path);
        env.WriteDefaultDocument(path);
    }
    if (!document.Load(path.c_str())) return false;

    EnterSettingRoot(document);
    settings.displaySize = ParseSettingInt(document.GetFirstData(L"DisplaySize"));
    settings.photoSize = ParseSettingInt(document.GetFirstData(L"PhotoSize"));
    settings.reversalV = ParseSettingInt(document.GetFirstData(L"ReversalV"));
    settings.reversalH = ParseSettingInt(document.GetFirstData(L"ReversalH"));
    settings.frequency = ParseSettingInt(document.GetFirstData(L"Frequency"));
    settings.zoomOut = ParseSettingInt(document.GetFirstData(L"ZoomOut"));
    settings.mosaicWidth = ParseSettingInt(document.GetFirstData(L"MosaicWidth"));
    DecodeCharFormat(document.GetFirstData(L"CharFormat"), settings.charFormat);
    settings.photoFrame = document.GetFirstData(L"PhotoFrame");
    settings.textContent = document.GetFirstData(L"TextContent");

    // The album folder is resolved for this run only; the FoldPath element keeps its text.
    std::wstring folder = document.GetFirstData(L"FoldPath");
    if (folder.empty() || !env.IsDirectory(folder)) {
        if (!env.GetPicturesFolder(folder)) {
            env.ShowMessage(kAlbumFolderFailedMessage);
            return false;
        }
    }
    if (folder.empty() || folder.back() != L'\\') folder += L'\\';
    settings.albumFolder = folder;
    return true;
}

bool SaveCameraSettings(const std::wstring& programFolder, const CZelParser& document) {
    return document.Save((programFolder + kSettingsFileName).c_str());
}
