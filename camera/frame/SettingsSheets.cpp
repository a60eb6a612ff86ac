#include "camera/frame/SettingsSheets.h"

#include "camera/frame/MainFrame.h"
#include "camera/pages/PageHost.h"
#include "camera/pages/SheetRun.h"

namespace {

// The pages reach the frame's picture operations and its settings through this.
class FramePageHost : public PageHost {
  public:
    explicit FramePageHost(CMainFrame& frame) : frame_(frame) {}

    bool ApplyReversal(int vertical, int horizontal, int mosaic) override {
        return frame_.ApplyReversal(vertical, horizontal, mosaic);
    }
    void ApplyZoom(int zoomOut) override { frame_.ApplyZoom(zoomOut); }
    void ApplyPowerLineFrequency(int frequency) override { frame_.ApplyPowerLineFrequency(frequency); }
    void ApplyPhotoFrame(const std::wstring& name) override { frame_.ApplyPhotoFrame(name); }
    bool ApplyTextOverlay(const std::wstring& text, const CharFormatRecord& format) override {
        return frame_.ApplyTextOverlay(text, format);
    }
    void ResizeToDisplaySize() override { frame_.ResizeToDisplaySize(); }
    void PreparePhotoBuffer() override { frame_.PreparePhotoBuffer(); }
    std::wstring ProgramFolder() const override { return frame_.Context().programFolder; }
    CZelParser* SettingsDocument() override { return frame_.Context().settingsDocument; }

  private:
    CMainFrame& frame_;
};

}  // namespace

INT_PTR RunSheetCommand(CMainFrame& frame, UINT command) {
    FramePageHost host(frame);
    return RunSheetCommand(command, host, frame.Context().saveSettings);
}
