// Config.xml as the camera program loads it at start-up: the file in the program folder, a
// default document written in its place when it is damaged, the settings record filled from it.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "camera/libs/PelUtility/FileIo.h"
#include "camera/settings/SettingsStore.h"
#include "fuzz/targets/FuzzTempDir.h"

namespace {

constexpr char kDefaultDocument[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Setting>\r\n  <DisplaySize>4</DisplaySize>\r\n"
    "  <FoldPath></FoldPath>\r\n</Setting>\r\n";

// The system as the loader sees it, without a system: the default document is a fixed text,
// only the fuzzing folder is a folder, and the picture folder is always there.
class FakeEnvironment : public SettingsEnvironment {
  public:
    bool WriteDefaultDocument(const std::wstring& path) override {
        return pelutil::WriteWholeFile(path, kDefaultDocument);
    }
    bool IsDirectory(const std::wstring& path) override { return path == folder; }
    bool GetPicturesFolder(std::wstring& out) override {
        out = L"C:\\Pictures";
        return true;
    }
    void ShowMessage(const std::wstring&) override { std::abort(); }
    std::wstring folder = pelutil::FromUtf8(fuzz::TempDir());
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeEnvironment env;
    fuzz::WriteTempFile("Config.xml", data, size);
    CZelParser document;
    CameraSettingsRecord settings{};
    if (!LoadCameraSettings(env.folder, document, settings, env)) std::abort();
    // Whatever was loaded must be written back as a document the next start reads again.
    if (!EnterSettingRoot(document)) return 0;
    document.SetFirstData(L"DisplaySize", settings.displaySize);
    document.SetFirstData(L"CharFormat", EncodeCharFormat(settings.charFormat).c_str());
    document.SetFirstData(L"TextContent", settings.textContent.c_str());
    if (!SaveCameraSettings(env.folder, document)) std::abort();
    CZelParser again;
    CameraSettingsRecord reloaded{};
    if (!LoadCameraSettings(env.folder, again, reloaded, env)) std::abort();
    if (reloaded.displaySize != settings.displaySize) std::abort();
    return 0;
}
