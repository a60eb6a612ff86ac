// CPelLang: the language component, one instance for the process.
// Texts come from "<language id>.lang" files in the language folder (format in LangTable.h).
// An empty result means "no translation": the caller keeps its resource text.
#pragma once

#include <windows.h>

#include <string>

#include "camera/libs/PelUtility/LanguageCatalog.h"

class CPelLang {
  public:
    static CPelLang* GetInstance();
    // Frees the instance (at exit); a later GetInstance makes a fresh one.
    static void Release();

    void SetLanguagePath(LPCWSTR folder);
    // Loads the language's file. Returns the id, 0 when there is no file for the language.
    LANGID SetLanguageID(LANGID languageId);
    LANGID GetLanguageID() const { return static_cast<LANGID>(catalog_.Current()); }

    std::wstring GetLangString(LPCWSTR section, LPCWSTR key) const;
    std::wstring GetLangString(LPCWSTR section, int id) const;
    // Attribute of a dialog template, for example "Title" of 310 (the tab title of a page).
    std::wstring GetLangAttrib(int dialogId, LPCWSTR attribute) const;
    // Puts the texts of section "ID_<dialogId>" on the dialog: "Caption" on the dialog itself,
    // control ids on those controls, "Static.N" on the N-th text control without an id.
    // False when the language has no texts for the dialog.
    BOOL SetDialogStrings(HWND dialog, int dialogId) const;

  private:
    CPelLang() = default;
    pelutil::LanguageCatalog catalog_;
};
