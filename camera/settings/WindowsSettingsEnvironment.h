// The system side of loading the settings on Windows: the default document from the program's
// resources, the shell's folder checks and the user's picture folder, and the message box.
#pragma once

#include <functional>
#include <string>

#include "camera/settings/SettingsEnvironment.h"

class WindowsSettingsEnvironment : public SettingsEnvironment {
  public:
    // Shows a message; the default is a plain MessageBoxW with the application title.
    using MessageSink = std::function<void(const std::wstring& text)>;

    WindowsSettingsEnvironment() = default;
    explicit WindowsSettingsEnvironment(MessageSink sink) : sink_(std::move(sink)) {}

    bool WriteDefaultDocument(const std::wstring& path) override;
    bool IsDirectory(const std::wstring& path) override;
    bool GetPicturesFolder(std::wstring& folder) override;
    void ShowMessage(const std::wstring& text) override;

    // The application title: string 57344 of the program's resources, else "PelCamera".
    static std::wstring ApplicationTitle();

  private:
    MessageSink sink_;
};
