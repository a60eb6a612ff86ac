// What the configuration and effects pages need of the main frame: the operations that change the
// running picture, the frame's sizing, and where the settings document and the Effects folder are.
#pragma once

#include <string>

#include "camera/settings/CharFormatRecord.h"

class CZelParser;

class PageHost {
  public:
    virtual ~PageHost() = default;

    virtual bool ApplyReversal(int vertical, int horizontal, int mosaic) = 0;
    virtual void ApplyZoom(int zoomOut) = 0;
    virtual void ApplyPowerLineFrequency(int frequency) = 0;
    virtual void ApplyPhotoFrame(const std::wstring& name) = 0;
    virtual bool ApplyTextOverlay(const std::wstring& text, const CharFormatRecord& format) = 0;
    virtual void ResizeToDisplaySize() = 0;
    virtual void PreparePhotoBuffer() = 0;

    // The program folder, ending with a backslash.
    virtual std::wstring ProgramFolder() const = 0;
    // The settings document the pages write into on OK (null: nothing is written).
    virtual CZelParser* SettingsDocument() = 0;
};
