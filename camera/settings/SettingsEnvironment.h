// What loading the settings needs from the system, behind one small interface so that the
// file-format logic runs (and is tested) on any host.
#pragma once

#include <string>

class SettingsEnvironment {
  public:
    virtual ~SettingsEnvironment() = default;
    // Writes the built-in default document to `path`, replacing any file there.
    virtual bool WriteDefaultDocument(const std::wstring& path) = 0;
    // True when `path` names an existing folder.
    virtual bool IsDirectory(const std::wstring& path) = 0;
    // The user's picture folder, created when missing. False when the system cannot give it.
    virtual bool GetPicturesFolder(std::wstring& folder) = 0;
    // A modal message with an OK button, captioned with the application title.
    virtual void ShowMessage(const std::wstring& text) = 0;
};
