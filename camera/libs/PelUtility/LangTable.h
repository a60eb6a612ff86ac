// The texts of one language file.
//
// Language files are UTF-8 text (a leading signature is allowed), named "<language id>.lang"
// (for example 1033.lang, 2052.lang) in the Language folder beside the program:
//
//   ; a comment (also '#')
//   [MainMenu]               section names and keys are matched ignoring ASCII letter case
//   File=&File               key=text; spaces around key and text are dropped
//   57665=E&xit              command ids and control ids are keys written in decimal
//   [ID_310]                 dialog 310: "Caption", "Title" (tab title), control ids,
//   Title=Basic              "Static.N" for the N-th control without an id (counted from 0)
//
// In texts, \n stands for a line break (CR LF), \t for a tab and \\ for a backslash.
// A later line with the same key replaces an earlier one.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace pelutil {

class LangTable {
  public:
    // Replaces the table with the texts of the file's bytes.
    void Parse(const std::string& utf8);
    void Clear() { sections_.clear(); }
    bool Empty() const { return sections_.empty(); }

    // The text under section/key; empty when there is none.
    std::wstring Get(const std::wstring& section, const std::wstring& key) const;
    // All keys of a section with their texts (keys in lower case).
    std::vector<std::pair<std::wstring, std::wstring>> Entries(const std::wstring& section) const;

  private:
    std::map<std::wstring, std::map<std::wstring, std::wstring>> sections_;
};

}  // namespace pelutil
