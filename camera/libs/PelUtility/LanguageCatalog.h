// The language texts of the program: one language file at a time from the Language folder.
// The file format is described in LangTable.h.
#pragma once

#include <string>

#include "camera/libs/PelUtility/LangTable.h"

namespace pelutil {

class LanguageCatalog {
  public:
    // The folder of the language files; a missing trailing separator is added.
    void SetFolder(const std::wstring& folder);
    const std::wstring& Folder() const { return folder_; }
    // The file name of a language: "<id>.lang".
    std::wstring FileOf(unsigned languageId) const;

    // Loads the file of the language. Returns the id, or 0 when there is no readable file for it
    // (the texts loaded before stay).
    unsigned Select(unsigned languageId);
    unsigned Current() const { return current_; }

    std::wstring Get(const std::wstring& section, const std::wstring& key) const;
    std::wstring Get(const std::wstring& section, int key) const {
        return Get(section, std::to_wstring(key));
    }
    // Attribute of a dialog: the key in section "ID_<dialog id>".
    std::wstring DialogAttribute(int dialogId, const std::wstring& attribute) const;
    static std::wstring DialogSection(int dialogId) { return L"ID_" + std::to_wstring(dialogId); }
    const LangTable& Table() const { return table_; }

  private:
    std::wstring folder_;
    unsigned current_ = 0;
    LangTable table_;
};

}  // namespace pelutil
